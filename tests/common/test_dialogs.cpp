#include "common/dialogs.h"

#include <QTest>

using namespace krv;

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveAddsTheDefaultSuffixToABareName_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("saved");
        QTest::newRow("bare name") << "/w/Setup_HT531"
                                   << "h"
                                   << "/w/Setup_HT531.h";
        QTest::newRow("own extension kept") << "/w/image.txt"
                                            << "asc"
                                            << "/w/image.txt";
        QTest::newRow("dot in the folder only") << "/w.d/image"
                                                << "asc"
                                                << "/w.d/image.asc";
        QTest::newRow("no suffix asked") << "/w/script"
                                         << ""
                                         << "/w/script";
        QTest::newRow("cancelled") << ""
                                   << "h"
                                   << "";
    }
    void saveAddsTheDefaultSuffixToABareName() {
        QFETCH(QString, chosen);
        QFETCH(QString, suffix);
        QFETCH(QString, saved);
        auto& dialogs = RecordingDialogs::install();
        if (!chosen.isEmpty())
            dialogs.files << chosen;
        Dialogs::FileRequest request;
        request.defaultSuffix = suffix;
        QCOMPARE(Dialogs::saveFile(request), saved);
    }
};

QTEST_GUILESS_MAIN(TestDialogs)
#include "test_dialogs.moc"
