#ifndef CINTBOX_H
#define CINTBOX_H

// A heap box holding one int, the value type of the language table's maps.
class CIntBox
{
public:
    explicit CIntBox(int value = 0) : m_Value(value) {}

    int m_Value;
};

#endif // CINTBOX_H
