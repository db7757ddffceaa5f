// TAboutBox: the about box, with the program's name, version, notice and the maker's addresses,
// and lines of system information. The addresses open in the desktop's browser or mail program;
// an address that cannot be opened is shown as plain, disabled text from then on.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QKeyEvent;
class QPushButton;
class QUrl;

// What the about box tells of the system; an empty value is one that could not be had.
struct TSystemInfo
{
    QString UserName;     // the account the program runs under
    QString Company;      // no registered organisation exists on this platform
    QString ComputerName; // the host name
    QString Build;        // the kernel release
    QString Platform;     // the kernel's name, e.g. "Linux"

    static TSystemInfo Current();
};

class TAboutBox : public QDialog
{
    Q_OBJECT

  public:
    static constexpr const char* VersionNumber = "2.16";
    static constexpr const char* Year = "2001";

    // Opens an address; false when it could not. An empty opener brings back the desktop's.
    using TUrlOpener = std::function<bool(const QUrl&)>;
    static void SetUrlOpener(TUrlOpener opener);

    explicit TAboutBox(QWidget* parent = nullptr, const TSystemInfo& info = TSystemInfo::Current());

    // caption, a tab and the value, or "(Unknown)" for an empty value.
    static QString InfoLine(const QString& caption, const QString& value);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls(const TSystemInfo& info);
    void FillScrambledTexts();
    void OKBtnClick();
    bool FormKeyPress(const QKeyEvent& event); // true when it took the key
    void VL3Click();
    void VL4Click();
    void JumpTo(QLabel* label, const QUrl& target);

    QLabel* ProgramIcon = nullptr;
    QLabel* IcoImage = nullptr;
    QLabel* VL5 = nullptr;
    QLabel* VL1 = nullptr;
    QLabel* VL2 = nullptr;
    QLabel* VL3 = nullptr;
    QLabel* VL4 = nullptr;
    QLabel* rl = nullptr;
    QLabel* L1 = nullptr;
    QLabel* L4 = nullptr;
    QLabel* L2 = nullptr;
    QLabel* L3 = nullptr;
    QLabel* L6 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* AbortBtn = nullptr;
};
