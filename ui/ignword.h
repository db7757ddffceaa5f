// TIgnForm: the "Add phrase to ignore" dialog. It only takes the text; the Options dialog that
// opens it decides what becomes of it. OK stays disabled while the text is empty: an empty entry
// would end the stored list and lose every phrase after it.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

class TIgnForm : public QDialog
{
    Q_OBJECT

  public:
    explicit TIgnForm(QWidget* parent = nullptr);

    // The text of Phrase exactly as typed.
    QString PhraseText() const;

  protected:
    void showEvent(QShowEvent* event) override;
    // Enter and Escape are left to the controls: they are not OK and Cancel here.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormShow();
    void OkBtnClick();
    void AbortBtnClick();
    void PhraseChange();

    QLabel* InfoLabel = nullptr;
    QLineEdit* Phrase = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* AbortBtn = nullptr;
};
