#include <QtTest>

#include <typeinfo>

#include "CPjException.h"

namespace {
class DerivedException : public QException
{
public:
    void raise() const override { throw *this; }
    DerivedException* clone() const override { return new DerivedException(*this); }
};
}

class tst_CPjException : public QObject
{
    Q_OBJECT

    // Depth of the chain of CPjException causes below e.
    static int depth(const CPjException& e)
    {
        int n = 0;
        for (const CPjException* p = e.m_NestedCause; p; p = p->m_NestedCause)
            ++n;
        return n;
    }

private slots:
    void constructorsSetTheirFields_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("detail");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("hasCause");
        QTest::addColumn<bool>("hasBaseCause");
        QTest::newRow("default") << 0 << 0 << 0 << QString() << false << false;
        QTest::newRow("code") << 1 << 4 << 0 << QString() << false << false;
        QTest::newRow("code detail") << 2 << 4 << 7 << QString() << false << false;
        QTest::newRow("message") << 3 << 0 << 0 << QString("m") << false << false;
        QTest::newRow("code message") << 4 << 4 << 0 << QString("m") << false << false;
        QTest::newRow("code detail message") << 5 << 4 << 7 << QString("m") << false << false;
        QTest::newRow("message cause") << 6 << 0 << 0 << QString("m") << true << false;
        QTest::newRow("code message cause") << 7 << 4 << 0 << QString("m") << true << false;
        QTest::newRow("all cause") << 8 << 4 << 7 << QString("m") << true << false;
        QTest::newRow("message base") << 9 << 0 << 0 << QString("m") << false << true;
        QTest::newRow("code message base") << 10 << 4 << 0 << QString("m") << false << true;
        QTest::newRow("all base") << 11 << 4 << 7 << QString("m") << false << true;
    }

    void constructorsSetTheirFields()
    {
        QFETCH(int, which);
        QFETCH(int, code);
        QFETCH(int, detail);
        QFETCH(QString, message);
        QFETCH(bool, hasCause);
        QFETCH(bool, hasBaseCause);
        const auto c = CPjException::ErrorFile;
        QString m("m");
        const CPjException inner(CPjException::ErrorMemory);
        const QException base;
        const QDateTime before = QDateTime::currentDateTime();
        QScopedPointer<CPjException> e;
        switch (which) {
        case 0: e.reset(new CPjException()); break;
        case 1: e.reset(new CPjException(c)); break;
        case 2: e.reset(new CPjException(c, 7)); break;
        case 3: e.reset(new CPjException(m)); break;
        case 4: e.reset(new CPjException(c, m)); break;
        case 5: e.reset(new CPjException(c, 7, m)); break;
        case 6: e.reset(new CPjException(m, inner)); break;
        case 7: e.reset(new CPjException(c, m, inner)); break;
        case 8: e.reset(new CPjException(c, 7, m, inner)); break;
        case 9: e.reset(new CPjException(m, base)); break;
        case 10: e.reset(new CPjException(c, m, base)); break;
        case 11: e.reset(new CPjException(c, 7, m, base)); break;
        }
        QCOMPARE(int(e->m_Code), code);
        QCOMPARE(e->m_Detail, detail);
        QCOMPARE(e->m_Message, message);
        QCOMPARE(e->m_NestedCause != nullptr, hasCause);
        QCOMPARE(e->m_NestedBaseCause != nullptr, hasBaseCause);
        QVERIFY(e->m_Time.isValid());
        QVERIFY(e->m_Time >= before.addSecs(-1));
        if (hasCause) {
            QVERIFY(e->m_NestedCause != &inner); // copied, never referenced
            QCOMPARE(e->m_NestedCause->m_Code, CPjException::ErrorMemory);
        }
    }

    void copyAndAssignOwnTheirCauses()
    {
        // Destroying the copy and then its source releases each cause once;
        // the sanitizer build catches a double release or a leak.
        auto* source = new CPjException(CPjException::ErrorFile, 3, QString("outer"),
                                        CPjException(QString("inner")));
        auto* copy = new CPjException(*source);
        QVERIFY(copy->m_NestedCause != source->m_NestedCause);
        QCOMPARE(copy->m_NestedCause->m_Message, QString("inner"));
        QCOMPARE(copy->m_Time, source->m_Time);
        QCOMPARE(copy->m_Detail, 3);
        delete copy;
        QCOMPARE(source->m_NestedCause->m_Message, QString("inner"));

        CPjException assigned(QString("old"), QException());
        assigned = *source;
        QVERIFY(assigned.m_NestedBaseCause == nullptr); // old cause released
        QVERIFY(assigned.m_NestedCause != source->m_NestedCause);
        QCOMPARE(assigned.m_Message, QString("outer"));
        delete source;
        QCOMPARE(assigned.m_NestedCause->m_Message, QString("inner"));

        assigned = assigned; // self-assignment keeps the chain
        QCOMPARE(assigned.m_NestedCause->m_Message, QString("inner"));
    }

    void assigningOwnCauseKeepsIt()
    {
        CPjException outer(QString("outer"), CPjException(QString("inner"), CPjException(QString("deep"))));
        outer = *outer.m_NestedCause;
        QCOMPARE(outer.m_Message, QString("inner"));
        QCOMPARE(outer.m_NestedCause->m_Message, QString("deep"));
    }

    void wrappingCopiesTheWholeChain()
    {
        CPjException level1(QString("1"));
        CPjException level2(QString("2"), level1);
        auto* level3 = new CPjException(QString("3"), level2);
        QCOMPARE(depth(*level3), 2);
        QCOMPARE(level3->m_NestedCause->m_NestedCause->m_Message, QString("1"));
        QVERIFY(level3->m_NestedCause->m_NestedCause != level2.m_NestedCause);
        delete level3;
        QCOMPARE(depth(level2), 1);
        QCOMPARE(level2.m_NestedCause->m_Message, QString("1"));
    }

    void baseCauseIsStoredAsPlainBaseType()
    {
        const DerivedException derived;
        const CPjException e(QString("wrap"), derived);
        QVERIFY(e.m_NestedBaseCause);
        QVERIFY(typeid(*e.m_NestedBaseCause) == typeid(QException));
        const CPjException copy(e);
        QVERIFY(copy.m_NestedBaseCause != e.m_NestedBaseCause);
        QVERIFY(typeid(*copy.m_NestedBaseCause) == typeid(QException));
    }

    void isCaughtAsQException()
    {
        bool caught = false;
        try {
            throw CPjException(CPjException::ErrorUnknown, QString("x"));
        } catch (const QException& e) {
            caught = QByteArray(e.what()).size() > 0;
        }
        QVERIFY(caught);
    }
};

QTEST_APPLESS_MAIN(tst_CPjException)
#include "tst_CPjException.moc"
