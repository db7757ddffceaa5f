// TMainForm's scan: the sources that end in a scan file, the run over it, the suffix selectors, and
// saving the available names.
#include "mainwebu.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTimer>

#include <climits>
#include <stdexcept>

#include "HttpGrabber.h"
#include "MRUList.h"
#include "ScanFileReader.h"
#include "TextBytes.h"
#include "optionu.h"

// Written beside the old file and renamed over it, so a failed write leaves the old file whole.
void TMainForm::WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("Cannot write file \"" + Bytes(path) + "\". " + Bytes(file.errorString()));
}

// --- Sources -------------------------------------------------------------------------------

void TMainForm::LoadScanFile(const QString& path)
{
    // Counted first, so that a file that cannot be read changes nothing.
    const std::size_t lines = TScanFileReader::CountLines(Bytes(path));
    Fod1FileName = path;
    StatusBar1->setText(QStringLiteral("Loaded 1 files.."));
    StatusBar1->setToolTip(QStringLiteral("File : ") + path);
    PB1->setValue(0);
    // A bar whose maximum is 0 turns into a busy indicator; an empty file shows 0 % instead.
    PB1->setMaximum(int(std::min<std::size_t>(std::max<std::size_t>(lines, 1), INT_MAX)));
    StatusBar2->setText(QString::number(lines) + QStringLiteral(" lines.."));
    StatusBar2->setToolTip(QStringLiteral("File : ") + path);
    FChecker.Registered.Clear();
    FChecker.Available.Clear();
    Label3->clear();
    SrchReadyTimer->start();
    FileLab->setText(QStringLiteral("File : ") + path + QStringLiteral(" - LOADED OK"));
}

void TMainForm::CheckitBtnClick()
{
    const QString path = TModal::OpenFileName(this, QStringLiteral("Open text file to scan"),
                                              QLatin1String(TextFileFilter), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    Mru1->Add(path);
    LoadScanFile(path);
}

void TMainForm::Mru1Click(const QString& path)
{
    LoadScanFile(path);
}

void TMainForm::ClipBtnClick()
{
    Memo1->setPlainText(QApplication::clipboard()->text());
    if (Memo1->toPlainText().isEmpty()) {
        TModal::Information(this, QStringLiteral("Clipboard empty. Nothing to load..."));
        return;
    }
    QByteArray bytes;
    for (const QString& line : Memo1->toPlainText().split(QLatin1Char('\n')))
        bytes += line.toLocal8Bit() + "\r\n";
    WriteWholeFile(QLatin1String(ScanFileTxt), bytes);
    LoadScanFile(QLatin1String(ScanFileTxt));
    FileLab->setText(QStringLiteral("Clipboard  - LOADED OK"));
}

// --- The run -------------------------------------------------------------------------------

void TMainForm::SearchBtnClick()
{
    TActivityScope running(*this, TActivity::Run);
    FRun.Search();
}

void TMainForm::CancelBtnClick()
{
    FRun.Cancel();
    if (FActivity == TActivity::WebLoad) {
        hget->Cancel();
        EndWebLoad();
    }
}

void TMainForm::AbortBtnClick()
{
    FChecker.RequestStop();
    close();
}

void TMainForm::SrchReadyTimerTimer()
{
    FSearchImageIndex = FSearchImageIndex == SearchImageOff ? SearchImageOn : SearchImageOff;
    SearchBtn->setIcon(SearchImage(FSearchImageIndex));
}

void TMainForm::SearchBtnMouseEnter()
{
    SrchReadyTimer->stop();
}

// --- Suffixes ------------------------------------------------------------------------------

// --- Suffixes ------------------------------------------------------------------------------

void TMainForm::SelectSuffix(const QString& suffix)
{
    FChecker.CurrentSuffix = Bytes(suffix);
}

void TMainForm::CB1Change()
{
    SelectSuffix(CB1->currentText());
}

void TMainForm::CB2Change()
{
    SelectSuffix(CB2->currentText());
    WhoIsBtn->setVisible(CB2->currentIndex() >= 0 && CB2->currentIndex() <= 2);
}

// --- Results -------------------------------------------------------------------------------

// --- Results -------------------------------------------------------------------------------

void TMainForm::GetNewFavPostsClick()
{
    if (FChecker.Available.Count() == 0) {
        TModal::Information(this, QStringLiteral("Available domains list blank. Nothing to save..."));
        return;
    }
    const QString path = TModal::SaveFileName(this, QStringLiteral("Save your search results"),
                                              QLatin1String(TextFileFilter), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    QByteArray bytes;
    for (const std::string& name : FChecker.Available.Entries())
        bytes.append(name.data(), qsizetype(name.size())).append("\r\n");
    WriteWholeFile(path, bytes);
}

// --- TScanPort ----------------------------------------------------------------------------

std::string TMainForm::ScanFileName() const
{
    return Bytes(Fod1FileName);
}
int TMainForm::MaxChars() const
{
    return SP1->value();
}
int TMainForm::MinChars() const
{
    return SP2->value();
}
bool TMainForm::StripNumbers() const
{
    return StripNumChk->isChecked();
}
bool TMainForm::StripHashes() const
{
    return StripHash->isChecked();
}
// Read from the Options dialog itself, so phrases edited there and left by Cancel still count.
std::vector<std::string> TMainForm::IgnorePhrases() const
{
    std::vector<std::string> phrases;
    for (const QString& phrase : FOptForm->IgnorePhrases())
        phrases.push_back(Bytes(phrase));
    return phrases;
}
TIgnoreWay TMainForm::IgnoreWay() const
{
    return FOptForm->IgnoreWay();
}
void TMainForm::SelectScanSuffix()
{
    CB1Change();
}
void TMainForm::SetProgress(std::size_t linesDone)
{
    PB1->setValue(int(std::min<std::size_t>(linesDone, std::size_t(PB1->maximum()))));
}

void TMainForm::SetStatus(const std::string& first, const std::string& second)
{
    StatusBar1->setText(Latin1(first));
    StatusBar2->setText(Latin1(second));
}
