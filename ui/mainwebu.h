// TMainForm: the program's one main window. It owns every component for the whole run (the WHOIS
// client, the name checker and its result lists, the timers) and carries the controls of the
// scan: the sources, the two result lists, the scan and quick-search options, the "Who Is?" panel
// and the status line. The commands themselves live in core and net; the window is their ports.
// Its implementation is split by concern: layout, scan, quick search, browser hand-off, the
// "Who Is?" panel and the shell (start-up, options, tray), each in a mainwebu_*.cpp of its own.
#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QMainWindow>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

#include "CheckingRun.h"
#include "IcmpClient.h"
#include "IniCtrl.h"
#include "Modal.h"
#include "NameChecker.h"
#include "QuickSearch.h"
#include "Suffixes.h"
#include "WhoisClient.h"
#include "WhoisLookup.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class TResultListModel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTimer;
class QToolButton;
class TAnimate;
class TMRUList;
class TOptForm;
class TTrayIcon;
class TWaitingGradient;
class THttpGrabber;

// What the window reaches outside the program through, given to it when it is made; tests point
// the WHOIS servers at loopback and record the addresses handed to the browser.
struct TMainFormSetup
{
    TWhoisServerTable WhoisServers = DefaultWhoisServers();
    // Hands an address to the desktop's web browser; false when nothing could be started.
    std::function<bool(const QUrl&)> OpenUrl;
    // How the ping reaches the network; none means ICMP sockets.
    std::unique_ptr<TIcmpTransport> IcmpTransport;
    // Where the update check finds the version file; empty means the maker's site.
    std::string VersionFileAddress;
    // Answers every question in place of the registries; none means WHOIS and RDAP as configured.
    std::shared_ptr<TNameLookup> Lookup;
};

// What is running; one routine enables the commands from it.
enum class TActivity
{
    Idle,
    Run,
    QuickSearch,
    Recheck, // the "WhoIS" command of the Registered list
    MoreInfo,
    Ping,
    WebLoad, // "Load &Web": the page downloads in the background
};

class TMainForm : public QMainWindow, public TDisplayPort, public TScanPort, public TQuickSearchPort
{
    Q_OBJECT

  public:
    // The filter of both file dialogs.
    static constexpr const char* TextFileFilter =
        "Text files (*.txt)|*.txt|ASCII files|*.asc|All files (*.*)|*.*";
    // The scan file written for the clipboard and web sources, in the current folder.
    static constexpr const char* ScanFileTxt = "scanfile.txt";
    // Image indexes of "S&tart Scan" while it blinks.
    static constexpr int SearchImageOn = 79;
    static constexpr int SearchImageOff = 80;
    // The longest the checking run goes on without letting the window's messages run.
    static constexpr int PumpIntervalMs = 20;
    // How long a connect may wait with "Time out if server is unavailable" off: long, never for ever.
    static constexpr int PatientConnectTimeoutMs = 60000;
    // How many of the names not answered the status line's hint lists.
    static constexpr std::size_t MaxNamesInHint = 50;
    // How long a hint stays up.
    static constexpr int HintHidePauseMs = 4000;

    explicit TMainForm(TMainFormSetup setup = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    TWhoisClient WhoisClient1;
    TIcmpClient ICMP;

    // Binds the scan file to path and shows it as loaded; the common end of every source. A file
    // that cannot be read throws, naming it, and leaves the window as it was.
    void LoadScanFile(const QString& path);

    const TNameChecker& Checker() const { return FChecker; }
    const TCheckingRun& Run() const { return FRun; }
    TActivity Activity() const { return FActivity; }
    // The Options dialog, created hidden right after the window and living as long as it.
    TOptForm& OptForm() const { return *FOptForm; }
    TMRUList& FileList() const { return *Mru1; }
    TMRUList& WebList() const { return *Mru2; }
    const QString& WebAddress() const { return FWebAddress; }
    TTrayIcon& TrayIcon() const { return *Tico; }
    // The update check's run counter: 0 until the options were first loaded.
    int RunCount() const { return FRunCount; }
    // Whether the control's hint shows: those that follow the window's hint switch hide theirs
    // while "Show Hints" is off.
    bool ShowsHint(const QWidget* control) const;
    int SearchBtnImageIndex() const { return FSearchImageIndex; }

    // TDisplayPort
    void SetAnimating(bool playing) override;
    bool Animating() const override;
    void ShowAnswer(const std::string& answer) override;
    void SetAnswerCaption(const std::string& caption) override;
    void ShowInformation(const std::string& text) override;
    void ShowNotAnswered(const std::vector<std::string>& names) override;
    void ProcessMessages() override;

    // TScanPort
    std::string ScanFileName() const override;
    int MaxChars() const override;
    int MinChars() const override;
    bool StripNumbers() const override;
    bool StripHashes() const override;
    std::vector<std::string> IgnorePhrases() const override;
    TIgnoreWay IgnoreWay() const override;
    void SelectScanSuffix() override;
    void SetProgress(std::size_t linesDone) override;
    void SetStatus(const std::string& first, const std::string& second) override;

    // TQuickSearchPort (with StripNumbers and StripHashes above)
    std::string QuickText() const override;
    void SetQuickText(const std::string& text) override;
    bool SuggestNames() const override;
    void SelectQuickSuffix() override;
    void SetBusy(bool busy) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    QWidget* CreateToolBar();
    QWidget* CreateScanOptions();
    QWidget* CreateQuickSearch();
    QWidget* CreateWhoIsPanel();
    QWidget* CreateStatusLine();
    void ConnectHandlers();
    // Connects signal to a handler of the window; a failure escaping it goes to the error box.
    template <class Sender, class Signal> void On(Sender* sender, Signal signal, void (TMainForm::*handler)())
    {
        connect(sender, signal, this, [this, handler] { Guarded([&] { (this->*handler)(); }); });
    }
    static QIcon SearchImage(int index);
    // Replaces the file's contents, or throws naming the file; the old contents stay on failure.
    static void WriteWholeFile(const QString& path, const QByteArray& bytes);
    // Enables every command from what is running: nothing may load a source, change a suffix or
    // start another check while a run or quick search is in progress.
    void UpdateCommands();
    // Marks activity as running for the scope of a command handler; afterwards the window is idle
    // again and a close asked for meanwhile takes effect.
    class TActivityScope
    {
      public:
        TActivityScope(TMainForm& form, TActivity activity);
        ~TActivityScope();
        TActivityScope(const TActivityScope&) = delete;
        TActivityScope& operator=(const TActivityScope&) = delete;

      private:
        TMainForm& FForm;
    };
    // The name selected in list, which shows names; none when nothing is selected.
    static std::optional<std::string> SelectedName(const QListView* list, const TResultList& names);

    void FormCreate();
    void FormShow();
    void FormDestroy();
    void LoadOptions();
    // Lays the "Servers" section of the store over the server table; says once what it did not take.
    void LoadServers();
    // Shows a wait for a registry's limit on the status line, and puts back what was there after it.
    void ShowWaiting(const std::string& text);
    // The part of loading the options that follows the Options dialog's controls being filled.
    void OptFormLoaded();
    void ApplyOptions();
    // Fetches the version file in the background when RunCount says a check is due; once a run.
    void StartUpdateCheck();
    void HGetUpdDoneStream(const std::string& stream);
    void OptBtnClick();
    void SCForumsBtnClick();
    void Mru1Click(const QString& path);
    void TicoDblClick();
    void MenuItem1Click();
    void TicoMouseUp();
    void CreateTrayIcon();
    void CreateGrabbers();

    void CheckitBtnClick();
    void ClipBtnClick();
    void SearchBtnClick();
    void CancelBtnClick();
    void AbortBtnClick();
    void SrchReadyTimerTimer();
    void SearchBtnMouseEnter();
    void GetNewFavPostsClick();
    // Makes suffix the one in force; each check picks the suffix's server itself.
    void SelectSuffix(const QString& suffix);
    void CB1Change();
    void CB2Change();

    void QuickSearchBtnClick();
    void QuickDomKeyPress();

    // The "Who Is?" panel. The program's own texts break lines with CR; shown, each becomes a line
    // break (a label takes a lone CR for a space).
    void ShowPanelText(const std::string& text);
    // The domain the panel is about, from its caption after prefixLength characters.
    std::string PanelDomain(std::size_t prefixLength) const;
    // Says how to pick a domain when domain is empty, for a command that would verb it.
    bool NoDomainPicked(const std::string& domain, const char* verb);
    void LB1Click();
    void MenuItem3Click();
    void WhoIsBtnClick();
    void PingBtnClick();
    void ICMPReply(TIcmpClient& sender, const TReplyStatus& status);

    // Starts the desktop's web browser with address and returns at once; a failed start is silent.
    void OpenInBrowser(const std::string& address);
    void LB1DblClick();
    void LB2DblClick();
    void RegDomClick();
    void Image1Click();

    void SpeedButton2Click();
    void Mru2Click(const QString& address);
    void StartWebLoad();
    void hgetDoneFile();
    void hgetError(const std::string& error);
    // The end of a web load, however it went: the busy display off, the commands back.
    void EndWebLoad();

    TIniCtrl IniCtrl1;
    TWhoisLookup FLookup;
    std::shared_ptr<TNameLookup> FOtherLookup;
    TNameChecker FChecker{*this, FOtherLookup ? *FOtherLookup : static_cast<TNameLookup&>(FLookup)};
    TCheckingRun FRun{FChecker, *this};
    TQuickSearch FQuickSearch{FChecker, *this};
    std::function<bool(const QUrl&)> FOpenUrl;
    TActivity FActivity = TActivity::Idle;
    QString FStatusBeforeWait;
    std::string FPingText; // the panel's text during a ping run, in the program's own line ends

    QString Fod1FileName; // the scan file; empty while no source is loaded
    QString FWebAddress;  // the page of the current or last web load
    std::string FVersionFileAddress;
    bool FUpdateCheckStarted = false;
    bool FUpdateAsked = false;
    int FSearchImageIndex = SearchImageOff;
    bool FClosePending = false; // a close asked for while a command was running
    QElapsedTimer FSincePump;   // since the run last let the window's messages run
    bool FFirstShow = true;
    QString FBrokenSettings; // where an unreadable settings file was set aside at start
    bool FShowHints = true;
    int FRunCount = 0;
    TOptForm* FOptForm = nullptr;

    QToolButton* CheckitBtn = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* ClipBtn = nullptr;
    QToolButton* GetNewFavPosts = nullptr;
    QToolButton* OptBtn = nullptr;
    QToolButton* SCForumsBtn = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* AbortBtn = nullptr;
    QGroupBox* GB1 = nullptr;
    QListView* LB1 = nullptr;
    QGroupBox* GB2 = nullptr;
    QListView* LB2 = nullptr;
    QComboBox* CB1 = nullptr;
    QSpinBox* SP1 = nullptr;
    QSpinBox* SP2 = nullptr;
    QPushButton* SearchBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QCheckBox* StripNumChk = nullptr;
    QCheckBox* StripHash = nullptr;
    QLineEdit* QuickDom = nullptr;
    QComboBox* CB2 = nullptr;
    QPushButton* QuickSearchBtn = nullptr;
    QCheckBox* CoolName = nullptr;
    QGroupBox* GB5 = nullptr;
    QPushButton* RegDom = nullptr;
    QPushButton* PingBtn = nullptr;
    QPushButton* WhoIsBtn = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* StatusBar1 = nullptr;
    TAnimate* Animate1 = nullptr;
    QLabel* StatusBar2 = nullptr;
    QLabel* StatusBar3 = nullptr;
    QProgressBar* PB1 = nullptr;
    TWaitingGradient* WaitGrad = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* FileLab = nullptr;
    QMenu* takendomsmenu = nullptr;
    QAction* MenuItem5 = nullptr; // "Open in Browser"
    QAction* MenuItem3 = nullptr; // "WhoIS"
    QAction* MenuItem6 = nullptr; // "Ping"

    QTimer* SrchReadyTimer = nullptr;
    TMRUList* Mru1 = nullptr;
    TMRUList* Mru2 = nullptr;
    TTrayIcon* Tico = nullptr;
    THttpGrabber* hget = nullptr;
    THttpGrabber* HGetUpd = nullptr;
    QMenu* TrayMenu = nullptr;
};
