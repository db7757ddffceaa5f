// TMainForm: the program's one main window. It owns every component for the whole run (the WHOIS
// client, the checking run and its result lists, the timers) and carries the controls of the
// scan: the sources, the two result lists, the scan and quick-search options, the "Who Is?" panel
// and the status line. The checking run itself lives in core; the window is its TRunWindow.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>

#include "CheckingRun.h"
#include "IniCtrl.h"
#include "Modal.h"
#include "WhoisClient.h"
#include "WhoisLookup.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
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

class TMainForm : public QMainWindow, public TRunWindow
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
    // How long a hint stays up.
    static constexpr int HintHidePauseMs = 4000;

    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    TWhoisClient WhoisClient1;

    // Binds the scan file to path and shows it as loaded; the common end of every source. A file
    // that cannot be read throws, naming it, and leaves the window as it was.
    void LoadScanFile(const QString& path);
    // Busy display: the status text and the busy bar.
    void SetBusy(bool busy);

    const TCheckingRun& Run() const { return FRun; }
    // The Options dialog, created hidden right after the window and living as long as it.
    TOptForm& OptForm() const { return *FOptForm; }
    TMRUList& FileList() const { return *Mru1; }
    TMRUList& WebList() const { return *Mru2; }
    TTrayIcon& TrayIcon() const { return *Tico; }
    // The update check's run counter: 0 until the options were first loaded.
    int RunCount() const { return FRunCount; }
    // Whether the control's hint shows: those that follow the window's hint switch hide theirs
    // while "Show Hints" is off.
    bool ShowsHint(const QWidget* control) const;
    int SearchBtnImageIndex() const { return FSearchImageIndex; }

    // TRunWindow
    std::string ScanFileName() const override;
    int MaxChars() const override;
    int MinChars() const override;
    bool StripNumbers() const override;
    bool StripHashes() const override;
    std::vector<std::string> IgnorePhrases() const override;
    TIgnoreWay IgnoreWay() const override;
    void SelectScanSuffix() override;
    void SetAnimating(bool playing) override;
    bool Animating() const override;
    void ShowAnswer(const std::string& answer) override;
    void SetAnswerCaption(const std::string& caption) override;
    void SetProgress(std::size_t linesDone) override;
    void SetStatus(const std::string& first, const std::string& second) override;
    void ShowInformation(const std::string& text) override;
    void ProcessMessages() override;

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
    void ShowList(QListWidget* box, const TResultList& list);
    void SetSourcesEnabled(bool enabled);

    void FormCreate();
    void FormShow();
    void FormDestroy();
    void LoadOptions();
    // The part of loading the options that follows the Options dialog's controls being filled.
    void OptFormLoaded();
    void ApplyOptions();
    // Called when RunCount says an update check is due; the check is not built yet.
    void StartUpdateCheck() {}
    void OptBtnClick();
    void SCForumsBtnClick();
    void Mru1Click(const QString& path);
    void TicoDblClick();
    void MenuItem1Click();
    void TicoMouseUp();
    void CreateTrayIcon();

    void CheckitBtnClick();
    void ClipBtnClick();
    void SearchBtnClick();
    void CancelBtnClick();
    void AbortBtnClick();
    void SrchReadyTimerTimer();
    void SearchBtnMouseEnter();
    void GetNewFavPostsClick();
    // Makes suffix the one in force and points the WHOIS client at its server.
    void SelectSuffix(const QString& suffix);
    void CB1Change();
    void CB2Change();

    TIniCtrl IniCtrl1;
    TWhoisLookup FLookup{WhoisClient1};
    TCheckingRun FRun{*this, FLookup};

    QString Fod1FileName; // the scan file; empty while no source is loaded
    int FSearchImageIndex = SearchImageOff;
    bool FClosePending = false; // a close asked for while a run was going
    QElapsedTimer FSincePump;   // since the run last let the window's messages run
    bool FFirstShow = true;
    bool FShowHints = true;
    int FRunCount = 0;
    TOptForm* FOptForm = nullptr;

    friend struct TMainFormTestSeam;
    QString FTestWhoisServer; // replaces the server table when set

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
    QListWidget* LB1 = nullptr;
    QGroupBox* GB2 = nullptr;
    QListWidget* LB2 = nullptr;
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
    QTimer* SrchReadyTimer = nullptr;
    TMRUList* Mru1 = nullptr;
    TMRUList* Mru2 = nullptr;
    TTrayIcon* Tico = nullptr;
    QMenu* TrayMenu = nullptr;
};
