// TOptForm: the Options dialog. It edits the eight option switches, the ignore phrases and the
// way they match, and moves them between its controls and the settings store. It lives hidden for
// the whole run: the checking run reads the phrases and the way from it, so an edited list left by
// Cancel stays in effect until the next opening reloads the stored one. It knows nothing of the
// main window; the window listens to Loaded and Confirmed to apply the options.
#pragma once

#include <QDialog>
#include <QStringList>

#include "Candidates.h"
#include "IniCtrl.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

class TOptForm : public QDialog
{
    Q_OBJECT

  public:
    explicit TOptForm(QWidget* parent = nullptr);

    // Fills every control from the store; throws TIniError when the store fails.
    void LoadControls();

    // The states of the check boxes, named after their sections in the store.
    bool RunInTrayActive() const;
    bool NeverTwiceActive() const;
    bool SortAlphaActive() const;
    bool IgnoreWordsActive() const;
    bool TimeoutActive() const;
    bool CheckForUpdActive() const;
    bool ShowHintsActive() const; // section "Browser"
    bool CacheWhoActive() const;

    // The ignore phrases in the list's order, and the way they match (None with no selection).
    QStringList IgnorePhrases() const;
    TIgnoreWay IgnoreWay() const;

  signals:
    // The controls were reloaded from the store at an opening.
    void Loaded();
    // OK has written the store; the dialog closes right after.
    void Confirmed();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Each switch has a section of its own holding one value, "Active".
    struct TSwitch
    {
        const char* Section;
        bool Default;
        QCheckBox* TOptForm::*Box;
    };
    // In the order they are loaded and written.
    static const TSwitch Switches[8];

    void CreateControls();
    QCheckBox* CreateCheckBox(const char* name, const char* caption);
    // Puts text at its place in the sorted list.
    void InsertSorted(const QString& text);

    void FormActivate();
    bool FormKeyPress(const QKeyEvent& event);
    void OKBtnClick();
    void AbortBtnClick();
    void SpeedButton1Click();
    void SpeedButton2Click();

    TIniCtrl IniCtrl1;

    QLabel* L3 = nullptr;
    QComboBox* IgnrWay = nullptr;
    QListWidget* IgnCB = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QLabel* Image1 = nullptr;
    QCheckBox* IgnoreWords = nullptr;
    QCheckBox* SortAlpha = nullptr;
    QCheckBox* ShowAllHints = nullptr;
    QCheckBox* TimeOut = nullptr;
    QCheckBox* CacheWho = nullptr;
    QCheckBox* InTrChk = nullptr;
    QCheckBox* CheckUpg = nullptr;
    QCheckBox* NeverTwice = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* AbortBtn = nullptr;
    QLabel* StatusBar1 = nullptr;
};
