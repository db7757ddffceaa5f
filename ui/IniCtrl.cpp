// The settings store on an INI file through QSettings. QSettings keeps nothing for us between
// operations: each one opens the file, works, syncs and reads the status back, so a write that
// never reached the disk is reported rather than lost.
#include "IniCtrl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <optional>

namespace {
[[noreturn]] void Fail(const char* pattern, const QString& what)
{
    throw TIniError(QString::fromLatin1(pattern).arg(what).toStdString());
}

// The store opened for reading; a file that is there but cannot be read or parsed fails here.
void CheckReadable(const QSettings& store, const QString& name)
{
    if (store.status() != QSettings::NoError)
        Fail("Failed to get data for '%1'", name);
}

// The text stored under name in the store's current group, or nothing when the value is missing.
// Every read goes through here: an INI value QSettings does not hand back as text (an unquoted
// "a, b" comes back as a list) is of the wrong type, not a value to convert.
std::optional<QString> ReadText(const QSettings& store, const QString& name)
{
    const QVariant value = store.value(name);
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() != QMetaType::QString)
        Fail("Invalid data type for '%1'", name);
    return value.toString();
}

// The folder of the file stands for the store's key path: when it cannot be made, no section can.
void CreateFolder(const QString& section)
{
    if (!QDir().mkpath(QFileInfo(TIniCtrl::FileName()).absolutePath()))
        Fail("Failed to create key %1", section);
}

// Writes the pending changes; name is the value reported when they did not reach the file.
void Commit(QSettings& store, const QString& name)
{
    store.sync();
    if (store.status() != QSettings::NoError)
        Fail("Failed to set data for '%1'", name);
}

void WriteText(const QString& section, const QString& name, const QString& text)
{
    CreateFolder(section);
    QSettings store(TIniCtrl::FileName(), QSettings::IniFormat);
    store.beginGroup(section);
    store.setValue(name, text);
    store.endGroup();
    Commit(store, name);
}
} // namespace

QString TIniCtrl::FileName()
{
    // Relative values of the variable are to be ignored, as the XDG base directories say.
    QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        folder = QDir::homePath() + QLatin1String("/.config");
    return folder + QLatin1Char('/') + QCoreApplication::applicationName() + QLatin1String(".ini");
}

QString TIniCtrl::SetAsideBrokenFile()
{
    const QString fileName = FileName();
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return {};
    const bool binary = file.readAll().contains('\0');
    file.close();
    bool unreadable = binary;
    if (!unreadable) {
        const QSettings store(fileName, QSettings::IniFormat);
        unreadable = store.status() == QSettings::FormatError;
    }
    if (!unreadable)
        return {};
    const QString kept = fileName + QStringLiteral(".broken");
    QFile::remove(kept);
    return QFile::rename(fileName, kept) ? kept : QString();
}

TIniCtrl& TIniCtrl::Global()
{
    static TIniCtrl instance;
    return instance;
}

int TIniCtrl::ReadInteger(const QString& section, const QString& name, int defaultValue) const
{
    QSettings store(FileName(), QSettings::IniFormat);
    CheckReadable(store, name);
    store.beginGroup(section);
    const std::optional<QString> text = ReadText(store, name);
    if (!text)
        return defaultValue;
    bool ok = false;
    const int value = text->toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool TIniCtrl::ReadBool(const QString& section, const QString& name, bool defaultValue) const
{
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

QStringList TIniCtrl::ReadStrings(const QString& section, const QString& prefix, int maxEntries) const
{
    const int maximum = maxEntries < 0 ? MaxEntries : maxEntries;
    QStringList list;
    QSettings store(FileName(), QSettings::IniFormat);
    CheckReadable(store, prefix + QLatin1Char('0'));
    store.beginGroup(section);
    for (int index = 0; index < maximum; ++index) {
        const std::optional<QString> entry = ReadText(store, prefix + QString::number(index));
        if (!entry || entry->isEmpty())
            break;
        list << *entry;
    }
    return list;
}

QList<QPair<QString, QString>> TIniCtrl::ReadSection(const QString& section, QStringList& notText) const
{
    QList<QPair<QString, QString>> values;
    QSettings store(FileName(), QSettings::IniFormat);
    CheckReadable(store, section);
    store.beginGroup(section);
    for (const QString& name : store.childKeys()) {
        try {
            if (const std::optional<QString> text = ReadText(store, name))
                values.append({name, *text});
        } catch (const TIniError&) {
            notText << name;
        }
    }
    return values;
}

void TIniCtrl::WriteBool(const QString& section, const QString& name, bool value)
{
    WriteText(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniCtrl::WriteInteger(const QString& section, const QString& name, int value)
{
    WriteText(section, name, QString::number(value));
}

void TIniCtrl::WriteStrings(const QString& section, const QString& prefix, const QStringList& list,
                            int maxEntries)
{
    const qsizetype count = std::min<qsizetype>(list.size(), maxEntries < 0 ? MaxEntries : maxEntries);
    CreateFolder(section);
    QSettings store(FileName(), QSettings::IniFormat);
    store.remove(section);
    store.beginGroup(section);
    for (qsizetype index = 0; index < count; ++index)
        store.setValue(prefix + QString::number(index), list[index]);
    store.endGroup();
    // Nothing of the list reached the file, so the first entry is the one that failed.
    Commit(store, prefix + QLatin1Char('0'));
}
