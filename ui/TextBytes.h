// The program's names, answers and file contents are 8-bit bytes; these convert them to and from
// the text of the controls.
#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// Bytes shown one character each, as the registry answers and the scan file hold them.
inline QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// Control text in the system's 8-bit encoding: typed names, paths and phrases.
inline std::string Bytes(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}
