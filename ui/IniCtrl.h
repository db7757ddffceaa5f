// TIniCtrl: the per-user settings store. One INI file per user (in XDG_CONFIG_HOME, or ~/.config)
// named after the application title, holding one group per section and named text values inside.
// Every operation opens the file, does its work and closes it again; nothing is kept in memory
// between operations, so two instances always see the same values.
//
// Encodings: booleans "1"/"0", read as integers where any value but 0 is true; integers as decimal
// text, where a missing value or one that is not a decimal integer gives the caller's default;
// string lists as a section of their own holding prefix + index values 0, 1, ..., read up to the
// first missing or empty entry and written after the section has been deleted.
//
// Failures throw TIniError with the store's message; values already written stay written.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <stdexcept>

class TIniError : public std::runtime_error
{
  public:
    using std::runtime_error::runtime_error;
};

class TIniCtrl
{
  public:
    static constexpr int DefaultMaxEntries = 16;

    // The longest list ReadStrings and WriteStrings handle when the caller names no maximum.
    int MaxEntries = DefaultMaxEntries;

    bool ReadBool(const QString& section, const QString& name, bool defaultValue) const;
    int ReadInteger(const QString& section, const QString& name, int defaultValue) const;
    // The list stored in section; maxEntries < 0 means MaxEntries.
    QStringList ReadStrings(const QString& section, const QString& prefix, int maxEntries = -1) const;

    // Every value of section as name and text, in the file's order; names whose value is not text
    // go to notText instead.
    QList<QPair<QString, QString>> ReadSection(const QString& section, QStringList& notText) const;

    void WriteBool(const QString& section, const QString& name, bool value);
    void WriteInteger(const QString& section, const QString& name, int value);
    void WriteStrings(const QString& section, const QString& prefix, const QStringList& list,
                      int maxEntries = -1);

    // The instance that belongs to the application, used by the recently-used lists.
    static TIniCtrl& Global();

    // The file behind the store, as it is resolved now.
    static QString FileName();

    // A file that cannot be read as settings (not INI, or binary) would fail every read and be
    // rewritten from what little could be made of it: it is set aside as FileName() + ".broken",
    // replacing an older one, and the store starts from the defaults. Returns the name it was kept
    // under, or nothing when the file was fine or absent.
    static QString SetAsideBrokenFile();
};
