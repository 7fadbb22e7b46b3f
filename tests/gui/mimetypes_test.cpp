#include "support/guitest.h"

#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace tessaro {

// Runs as packaging.mimetypes, after packaging.install, with the installed
// file types in XDG_DATA_DIRS: the desktop knows a level set by its first
// four bytes whatever its name, and CCF and CCX files by their extensions.
class MimeTypesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void levelSetsAreKnownByTheirFirstFourBytes() {
        if (qEnvironmentVariableIsEmpty("TESSARO_MIME_CHECK"))
            QSKIP("runs as packaging.mimetypes, over the installed file types");
        QTemporaryDir folder;
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        write("set.lvl", QByteArray("\xAC\xAA\x02\x00", 4) + "levels");
        write("lynx", QByteArray("\xAC\xAA\x02\x01", 4) + "levels");
        write("MYSET.CCL", "x");
        const QMimeDatabase types;
        for (const char* name : {"set.lvl", "lynx", "MYSET.CCL"})
            QCOMPARE(types.mimeTypeForFile(folder.filePath(name)).name(),
                     QString("application/x-chips-levelset"));
        QCOMPARE(types.mimeTypeForFile("a.ccf", QMimeDatabase::MatchExtension).name(),
                 QString("application/x-chips-ccf"));
        QCOMPARE(types.mimeTypeForFile("a.ccx", QMimeDatabase::MatchExtension).name(),
                 QString("application/x-chips-ccx"));
    }
};

TESSARO_GUI_TEST(MimeTypesTest)

} // namespace tessaro

#include "mimetypes_test.moc"
