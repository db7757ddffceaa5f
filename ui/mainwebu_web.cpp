// TMainForm's web sources: "Load &Web" (a page downloaded in the background and reduced to its
// text lines as the scan file) and the update check of every fifth run.
#include "mainwebu.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>

#include "HttpGrabber.h"
#include "MRUList.h"
#include "PageToText.h"
#include "TextBytes.h"
#include "UpdateCheck.h"
#include "getinput.h"
#include "optionu.h"

void TMainForm::CreateGrabbers()
{
    hget = new THttpGrabber(this);
    hget->setObjectName(QStringLiteral("hget"));
    hget->Agent = "Sollentra/2.16 (" + MakerWebAddress() + ")";
    hget->FileName = ScanFileTxt;
    hget->OutputMode = TOutputMode::omFile;
    hget->OnDoneFile = [this](THttpGrabber&, int32_t, const std::string&, int32_t, const std::string&) {
        Guarded([this] { hgetDoneFile(); });
    };
    hget->OnError = [this](THttpGrabber&, int32_t, const std::string&, const std::string& error) {
        Guarded([&] { hgetError(error); });
    };

    HGetUpd = new THttpGrabber(this);
    HGetUpd->setObjectName(QStringLiteral("HGetUpd"));
    HGetUpd->Agent = MakerWebAddress();
    HGetUpd->FileName = "verno.txt";
    HGetUpd->OnDoneStream = [this](THttpGrabber&, int32_t, const std::string& stream, int32_t,
                                   const std::string&) { Guarded([&] { HGetUpdDoneStream(stream); }); };
}

// --- Load Web ------------------------------------------------------------------------------

void TMainForm::SpeedButton2Click()
{
    // Cancel, or the close box, loads nothing and leaves the recent pages as they were.
    TGinp dialog(this);
    if (!TModal::Exec(dialog))
        return;
    FWebAddress = dialog.WebAddress;
    Mru2->Add(FWebAddress);
    if (!FWebAddress.isEmpty())
        StartWebLoad();
}

void TMainForm::Mru2Click(const QString& address)
{
    FWebAddress = address;
    StartWebLoad();
}

// The lists and the source loaded stay until the new page has arrived: a load that fails loses
// nothing.
void TMainForm::StartWebLoad()
{
    SetBusy(true);
    FActivity = TActivity::WebLoad;
    UpdateCommands();
    hget->Url = Bytes(FWebAddress);
    hget->Start(0);
}

void TMainForm::hgetDoneFile()
{
    struct TEnd
    {
        TMainForm& Form;
        ~TEnd() { Form.EndWebLoad(); }
    } end{*this};
    QFile page{QLatin1String(ScanFileTxt)};
    if (!page.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot read file \"" + std::string(ScanFileTxt) + "\". " +
                                 Bytes(page.errorString()));
    const QByteArray bytes = page.readAll();
    page.close();
    const std::string text =
        ConvertPageToText(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    WriteWholeFile(QLatin1String(ScanFileTxt), QByteArray(text.data(), qsizetype(text.size())));
    LoadScanFile(QLatin1String(ScanFileTxt));
    FileLab->setText(QStringLiteral("Web page : ") + FWebAddress + QStringLiteral(" - LOADED OK"));
}

void TMainForm::hgetError(const std::string& error)
{
    EndWebLoad();
    TModal::Information(
        this, QStringLiteral("The web page %1 could not be loaded: %2").arg(FWebAddress, Latin1(error)));
}

void TMainForm::EndWebLoad()
{
    if (FActivity != TActivity::WebLoad)
        return;
    SetBusy(false);
    FActivity = TActivity::Idle;
    UpdateCommands();
}

// --- Update check --------------------------------------------------------------------------

// The Options dialog reloads the settings at every opening; the check and its question belong to
// the run, not to each reload.
void TMainForm::StartUpdateCheck()
{
    if (FUpdateCheckStarted)
        return;
    FUpdateCheckStarted = true;
    HGetUpd->Agent = MakerWebAddress() + " Sollentra update check";
    HGetUpd->Url = FVersionFileAddress;
    HGetUpd->Start(0);
}

void TMainForm::HGetUpdDoneStream(const std::string& stream)
{
    if (!FOptForm->CheckForUpdActive())
        return;
    Memo1->setPlainText(Latin1(stream));
    if (!UpdateQuestionNeeded(stream) || FUpdateAsked)
        return;
    FUpdateAsked = true;
    if (TModal::Question(this,
                         QStringLiteral("New version of Sollentra is available would you like to update?")))
        OpenInBrowser(DownloadPageAddress());
}
