#ifndef CEVENTCONTAINER_H
#define CEVENTCONTAINER_H

class CEventBase;

// The box a queue holds. It does not own its event: whoever takes the box
// from a queue frees the event and then the box.
class CEventContainer
{
public:
    explicit CEventContainer(CEventBase* event);
    ~CEventContainer();

    CEventBase* GetEvent() const;

private:
    CEventContainer(const CEventContainer&) = delete;
    CEventContainer& operator=(const CEventContainer&) = delete;

    CEventBase* m_pEvent;
};

#endif // CEVENTCONTAINER_H
