#ifndef CEVENTBASE_H
#define CEVENTBASE_H

// A request handed to an event thread: the key selects the handler, the ID is
// the caller's tag for the request and travels through to its reports.
class CEventBase
{
public:
    CEventBase();
    CEventBase(const CEventBase& other);
    virtual ~CEventBase();
    CEventBase& operator=(const CEventBase& other);

    virtual int GetEventKey() const;
    virtual int GetEventID() const;
    void SetEventID(int id);

protected:
    void f_Copy(const CEventBase& other);

    int m_nEventID;
    // Set by the subclass's constructor only.
    int m_nEventKey;
};

#endif // CEVENTBASE_H
