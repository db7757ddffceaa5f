// TMainForm's quick search: the typed name, its stars and the suggested names around it.
#include "mainwebu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "TextBytes.h"

void TMainForm::QuickSearchBtnClick()
{
    TActivityScope running(*this, TActivity::QuickSearch);
    FQuickSearch.Search();
}

// Enter does what the button does, and is refused with it while something runs.
void TMainForm::QuickDomKeyPress()
{
    QuickSearchBtn->click();
}

std::string TMainForm::QuickText() const
{
    return Bytes(QuickDom->text());
}
void TMainForm::SetQuickText(const std::string& text)
{
    QuickDom->setText(QString::fromLocal8Bit(text));
}
bool TMainForm::SuggestNames() const
{
    return CoolName->isChecked();
}
void TMainForm::SelectQuickSuffix()
{
    CB2Change();
}
