// The real boxes behind TModal, and the hand-over to a test's handler.
#include "Modal.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {
TModal::THandler& Handler()
{
    static TModal::THandler handler;
    return handler;
}

QString Title()
{
    return QApplication::applicationName();
}

QString RunFileDialog(QWidget* parent, TModalKind kind, const QString& title, const QString& filter,
                      const QString& defaultSuffix)
{
    if (Handler()) {
        const TModalAnswer answer = Handler()({kind, title, {}, filter, defaultSuffix, nullptr});
        return answer.Accepted ? answer.FileName : QString();
    }
    QFileDialog dialog(parent, title, QString(), TModal::QtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (kind == TModalKind::OpenFile) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFiles);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
} // namespace

void TModal::SetHandler(THandler handler)
{
    Handler() = std::move(handler);
}

void TModal::Information(QWidget* parent, const QString& text)
{
    if (Handler())
        Handler()({TModalKind::Information, Title(), text, {}, {}, nullptr});
    else
        QMessageBox::information(parent, Title(), text, QMessageBox::Ok);
}

bool TModal::Question(QWidget* parent, const QString& text)
{
    if (Handler())
        return Handler()({TModalKind::Question, Title(), text, {}, {}, nullptr}).Accepted;
    return QMessageBox::question(parent, Title(), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString TModal::ErrorText(const QString& text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void TModal::Error(const QString& text)
{
    const QString shown = ErrorText(text);
    if (Handler())
        Handler()({TModalKind::Error, Title(), shown, {}, {}, nullptr});
    else
        QMessageBox::critical(QApplication::activeWindow(), Title(), shown, QMessageBox::Ok);
}

QString TModal::OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix)
{
    return RunFileDialog(parent, TModalKind::OpenFile, title, filter, defaultSuffix);
}

QString TModal::SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix)
{
    return RunFileDialog(parent, TModalKind::SaveFile, title, filter, defaultSuffix);
}

bool TModal::Exec(QDialog& dialog)
{
    if (Handler())
        return Handler()({TModalKind::Dialog, dialog.windowTitle(), {}, {}, {}, &dialog}).Accepted;
    return dialog.exec() == QDialog::Accepted;
}

QString TModal::QtFilter(const QString& filter)
{
    // Pairs of caption and pattern. "*.*" means every file, which on Linux is "*": many names
    // have no dot.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList choices;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1String("*.*"), QLatin1String("*"));
        QString caption = parts[i];
        const qsizetype open = caption.indexOf(QLatin1Char('('));
        if (open >= 0)
            caption.truncate(open);
        choices << caption.trimmed() + QLatin1String(" (") +
                       pattern.replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    }
    return choices.join(QLatin1String(";;"));
}
