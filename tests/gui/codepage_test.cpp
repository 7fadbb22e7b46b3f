#include "gui/codepage.h"
#include "support/guitest.h"

#include <QTest>

namespace tessaro {

class CodePageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteSurvivesATripThroughText() {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        const QString text = fromBytes(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(toBytes(text), all);
        QCOMPARE(fromBytes("\x80\xE9"), QString::fromUtf8("\u20AC\u00E9"));
        QCOMPARE(toBytes(QString::fromUtf8("\u4E2D")), std::string("?"));
    }

    // Paths are UTF-8; a name that is not reads as Windows-1252, not as '?'.
    void pathsShowReadably() {
        QCOMPARE(pathText("/home/Иван/Café.dat"), QString::fromUtf8("/home/Иван/Café.dat"));
        QCOMPARE(pathText("Ol\xE9.dat"), QString::fromUtf8("Olé.dat"));
        QCOMPARE(pathBytes(QString::fromUtf8("Don’t.dat")), std::string("Don’t.dat"));
    }
};

TESSARO_GUI_TEST(CodePageTest)

} // namespace tessaro

#include "codepage_test.moc"
