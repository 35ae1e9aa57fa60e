#include "link/transactionlock.h"

#include <QTest>

using namespace krv;

// Only the hold a transaction took changes the lock; a hold that lost it, or never had it,
// leaves the holder's transaction alone.
class TestTransactionLock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aBusyLockIsNotTaken() {
        TransactionLock lock;
        TransactionHold first = lock.take(3);
        TransactionHold second = lock.take();
        QVERIFY(first.held());
        QVERIFY(!second.held());
        second.setStep(7);
        second.release();
        QCOMPARE(lock.step(), 3L);
    }

    void aSeizedLockIsOutOfTheEarlierHoldersReach() {
        TransactionLock lock;
        TransactionHold reader = lock.take(2);
        TransactionHold scan = lock.seize(1);
        QVERIFY(!reader.held());
        QCOMPARE(reader.step(), 0L);
        reader.setStep(100);
        reader.release();
        QCOMPARE(lock.step(), 1L);
        scan.setStep(3);
        QCOMPARE(lock.step(), 3L);
    }

    void theLockComesBackOnEveryPath() {
        TransactionLock lock;
        {
            TransactionHold hold = lock.take(20);
            hold.setStep(21);
        }
        QCOMPARE(lock.step(), 0L);
        TransactionHold hold = lock.take(5);
        hold.setStep(0);
        QVERIFY(lock.isFree());
        hold = lock.take(6);
        TransactionHold moved = std::move(hold);
        hold.release();
        QCOMPARE(lock.step(), 6L);
        moved = TransactionHold();
        QVERIFY(lock.isFree());
    }

    void aHoldMayOutliveItsLock() {
        TransactionHold hold;
        {
            TransactionLock lock;
            hold = lock.take();
        }
        hold.setStep(2);
        QVERIFY(hold.held());
        hold.release();
        QVERIFY(!hold.held());
    }
};

QTEST_MAIN(TestTransactionLock)
#include "test_transactionlock.moc"
