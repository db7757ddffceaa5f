// TGinp: the "Enter web address." dialog of "Load &Web". The address is typed, or a link is dragged
// from a browser and dropped on the dialog, which only fills the box; OK (or Enter) takes the text.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;

class TGinp : public QDialog
{
    Q_OBJECT

  public:
    explicit TGinp(QWidget* parent = nullptr);

    // Set by OK, even to an empty text; empty while the dialog was not confirmed.
    QString WebAddress;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override; // FormKeyPress
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void OkBtnClick();
    void AbortBtnClick();
    void DragDropURL1ProcessDropped(const QString& address);
    // The first address the dropped data carries, from a browser's link formats or plain text.
    static QString DroppedAddress(const QMimeData& data);

    QWidget* BP1 = nullptr;
    QLabel* InfoLabel = nullptr;
    QLineEdit* UName = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* SimpleLabel1 = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* AbortBtn = nullptr;
};
