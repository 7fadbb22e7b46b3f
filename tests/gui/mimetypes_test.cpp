#include "support/guitest.h"

#include <QMimeDatabase>

namespace tessaro {

// packaging.mimetypes, over the installed file types: a level set is known by its first four bytes
// whatever its name, CCF and CCX files by their extensions.
class MimeTypesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void levelSetsAreKnownByTheirFirstFourBytes() {
        if (qEnvironmentVariableIsEmpty("TESSARO_MIME_CHECK"))
            QSKIP("runs as packaging.mimetypes, over the installed file types");
        test::TempFolder folder;
        folder.write("set.lvl", std::string("\xAC\xAA\x02\x00levels", 10));
        folder.write("lynx", std::string("\xAC\xAA\x02\x01levels", 10));
        folder.write("MYSET.CCL", "x");
        const QMimeDatabase types;
        for (const char* name : {"set.lvl", "lynx", "MYSET.CCL"})
            QCOMPARE(types.mimeTypeForFile(QString::fromStdString((folder / name).string())).name(),
                     QString("application/x-chips-levelset"));
        for (const QString type : {"ccf", "ccx"})
            QCOMPARE(types.mimeTypeForFile("a." + type, QMimeDatabase::MatchExtension).name(),
                     "application/x-chips-" + type);
    }
};

TESSARO_GUI_TEST(MimeTypesTest)

} // namespace tessaro

#include "mimetypes_test.moc"
