#include "gui/codepage.h"
#include "support/guitest.h"

#include <QTest>

namespace tessaro {

class CodePageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every byte survives a trip through text; a path that is not UTF-8 reads as Windows-1252.
    void bytesAndPathsShowReadably() {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        QCOMPARE(toBytes(fromBytes(all)), all);
        QCOMPARE(fromBytes("\x80\xE9"), QString::fromUtf8("\u20AC\u00E9"));
        QCOMPARE(toBytes(QString::fromUtf8("\u4E2D")), std::string("?"));
        QCOMPARE(pathText("Ol\xE9.dat"), QString::fromUtf8("Olé.dat"));
        QCOMPARE(pathText("/home/Иван"), QString::fromUtf8("/home/Иван"));
        QCOMPARE(pathBytes(QString::fromUtf8("Don’t.dat")), std::string("Don’t.dat"));
    }
};

TESSARO_GUI_TEST(CodePageTest)

} // namespace tessaro

#include "codepage_test.moc"
