#include "gui/codepage.h"

#include "common/codepage.h"

namespace tessaro {

QString fromBytes(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes)
        text.append(
            QChar(static_cast<char16_t>(windows1252Character(static_cast<unsigned char>(byte)))));
    return text;
}

std::string toBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        bytes.push_back(static_cast<char>(windows1252Byte(c.unicode()).value_or('?')));
    return bytes;
}

QString pathText(const std::string& path) {
    return QString::fromStdString(readableName(path));
}

std::string pathBytes(const QString& path) {
    return path.toStdString();
}

} // namespace tessaro
