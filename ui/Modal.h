// TModal: every modal message box, file dialog and dialog window of the program is shown through
// here. A test installs a handler that reads each request and answers it, so no test ever waits on
// a modal loop and every text shown can be checked.
#pragma once

#include <QString>

#include <exception>
#include <functional>

class QDialog;
class QWidget;

enum class TModalKind
{
    Information, // a notice with an OK button
    Question,    // Yes and No
    Error,       // the application's standard error box
    OpenFile,
    SaveFile,
    Dialog, // one of our own dialog windows, shown modally
};

struct TModalRequest
{
    TModalKind Kind;
    QString Caption;
    QString Text;          // the message, for the three boxes
    QString Filter;        // file dialogs: the filter, in the "caption|pattern|..." form
    QString DefaultSuffix; // file dialogs
    QDialog* Dialog = nullptr;
};

struct TModalAnswer
{
    bool Accepted = true; // OK, Yes, Open or Save
    QString FileName;     // file dialogs
};

class TModal
{
  public:
    using THandler = std::function<TModalAnswer(const TModalRequest&)>;

    // Replaces the real boxes and dialogs; an empty handler brings them back.
    static void SetHandler(THandler handler);

    static void Information(QWidget* parent, const QString& text);
    static bool Question(QWidget* parent, const QString& text); // true for Yes
    // The error text with a full stop added when its last character sorts above the full stop.
    static void Error(const QString& text);
    static QString ErrorText(const QString& text);

    // The chosen file (the first one when several may be chosen), or empty on cancel.
    static QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                const QString& defaultSuffix);
    static QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                const QString& defaultSuffix);

    // Shows dialog modally; true when it was accepted. A handler gets the dialog, may work its
    // controls, and answers whether it was accepted.
    static bool Exec(QDialog& dialog);

    // A "Text files (*.txt)|*.txt|..." filter in the form of Qt's file dialogs.
    static QString QtFilter(const QString& filter);
};

// Runs a command handler; a failure that escapes it is shown in the standard error box and the
// program goes on.
template <class F> void Guarded(F&& handler)
{
    try {
        handler();
    } catch (const std::exception& failure) {
        TModal::Error(QString::fromUtf8(failure.what()));
    }
}
