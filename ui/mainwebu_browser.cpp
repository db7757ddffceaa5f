// TMainForm's hand-off to the web browser: a registered name's web site, a registrar's order page
// for an available name, and the registrar's home page behind the banner.
#include "mainwebu.h"

#include <QListView>

#include "BrowserAddresses.h"
#include "TextBytes.h"

void TMainForm::OpenInBrowser(const std::string& address)
{
    FOpenUrl(QUrl(Latin1(address)));
}

void TMainForm::LB1DblClick()
{
    if (const auto name = SelectedName(LB1, FChecker.Registered))
        OpenInBrowser(VisitAddress(*name, FChecker.CurrentSuffix));
}

void TMainForm::LB2DblClick()
{
    if (const auto name = SelectedName(LB2, FChecker.Available))
        OpenInBrowser(OrderPageAddress(*name, FChecker.CurrentSuffix));
}

void TMainForm::RegDomClick()
{
    if (!SelectedName(LB2, FChecker.Available)) {
        TModal::Information(
            this, QStringLiteral(
                      "You must select domain you wish to register from the list of available domains!"));
        return;
    }
    LB2DblClick();
}

void TMainForm::Image1Click()
{
    OpenInBrowser(std::string(RegistrarSite));
}
