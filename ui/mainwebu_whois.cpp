// TMainForm's "Who Is?" panel: the answer of the latest question, the notice for a picked name,
// the "WhoIS" command that asks about it again, More Info, and Ping.
#include "mainwebu.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <algorithm>
#include <cctype>

#include "DetailAnswer.h"
#include "TextBytes.h"
#include "lookupw.h"

namespace {
constexpr std::size_t WhoIsPrefixLength = 12; // "WhoIs - www."
constexpr std::size_t PingPrefixLength = 8;   // "WhoIs - "
constexpr int PingsPerRun = 4;
constexpr int PingWaitMs = 1000;

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
    return text;
}

// A CR that ends a line on its own becomes the line feed a label breaks at.
QString ShownLines(const std::string& text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i)
        shown += text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n') ? '\n' : text[i];
    return Latin1(shown);
}

// Puts the busy display back and enables the button again however a command ends.
class TBusyButton
{
  public:
    TBusyButton(QPushButton* button, const std::function<void(bool)>& setBusy)
        : FButton(button), FSetBusy(setBusy)
    {
        FButton->setEnabled(false);
        FSetBusy(true);
    }
    ~TBusyButton()
    {
        FSetBusy(false);
        FButton->setEnabled(true);
    }
    TBusyButton(const TBusyButton&) = delete;
    TBusyButton& operator=(const TBusyButton&) = delete;

  private:
    QPushButton* FButton;
    std::function<void(bool)> FSetBusy;
};
} // namespace

void TMainForm::ShowAnswer(const std::string& answer)
{
    Label3->setText(Latin1(answer));
}
void TMainForm::SetAnswerCaption(const std::string& caption)
{
    GB5->setTitle(Latin1(caption));
}
void TMainForm::ShowPanelText(const std::string& text)
{
    Label3->setText(ShownLines(text));
}

std::string TMainForm::PanelDomain(std::size_t prefixLength) const
{
    const std::string caption = Bytes(GB5->title());
    return caption.size() > prefixLength ? caption.substr(prefixLength) : std::string();
}

bool TMainForm::NoDomainPicked(const std::string& domain, const char* verb)
{
    if (!domain.empty())
        return false;
    TModal::Information(this,
                        ShownLines(std::string("Select one domain you wish to ") + verb +
                                   " from the list of Registered domains.\rIf the list is empty you need "
                                   "to scan file or a web page first."));
    return true;
}

void TMainForm::LB1Click()
{
    const auto name = SelectedName(LB1, FChecker.Registered);
    if (!name)
        return;
    const std::string domain = *name + FChecker.CurrentSuffix;
    SetAnswerCaption("WhoIs - www." + domain);
    ShowPanelText("\r\rWWW." + UpperCase(domain) + " IS REGISTERED...\r\r>>> Click on More Info for details");
}

void TMainForm::MenuItem3Click()
{
    const auto name = SelectedName(LB1, FChecker.Registered);
    if (!name)
        return;
    TActivityScope asking(*this, TActivity::Recheck);
    QuickDom->setText(Latin1(*name));
    FChecker.Recheck(Bytes(QuickDom->text()), AllowedChars(StripNumbers(), StripHashes()));
}

void TMainForm::WhoIsBtnClick()
{
    const std::string domain = PanelDomain(WhoIsPrefixLength);
    if (NoDomainPicked(domain, "explore"))
        return;
    TActivityScope asking(*this, TActivity::MoreInfo);
    TBusyButton busy(WhoIsBtn, [this](bool on) { SetBusy(on); });
    FChecker.ResetStop();
    QCoreApplication::processEvents();
    const TWhoisLookup::TDetails details = FLookup.MoreInfo(domain, FChecker.CurrentSuffix);
    if (details.Stopped)
        return;
    if (!details.Enough)
        TModal::Information(this,
                            Latin1("Unable to retreive more info from WHOIS Server, for domain " + domain));
    ShowAnswer(details.Answer);
}

void TMainForm::PingBtnClick()
{
    ICMP.Host = PanelDomain(PingPrefixLength);
    if (NoDomainPicked(ICMP.Host, "ping"))
        return;
    TActivityScope pinging(*this, TActivity::Ping);
    TBusyButton busy(PingBtn, [this](bool on) { SetBusy(on); });
    FPingText = "\rPINGING " + ICMP.Host + "\r\r";
    ShowPanelText(FPingText);
    ICMP.OnReply = [this](TIcmpClient& sender, const TReplyStatus& status) { ICMPReply(sender, status); };
    ICMP.ReceiveTimeout = PingWaitMs;
    for (int i = 0; i < PingsPerRun; ++i) {
        ICMP.Ping();
        QCoreApplication::processEvents();
    }
}

void TMainForm::ICMPReply(TIcmpClient&, const TReplyStatus& status)
{
    FPingText += UpperCase(ReplyLine(status)) + "\r";
    ShowPanelText(FPingText);
}
