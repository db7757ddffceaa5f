// TMainForm's "Who Is?" panel: the answer of the latest question and the panel's caption.
#include "mainwebu.h"

#include <QGroupBox>
#include <QLabel>

#include "TextBytes.h"

void TMainForm::ShowAnswer(const std::string& answer)
{
    Label3->setText(Latin1(answer));
}
void TMainForm::SetAnswerCaption(const std::string& caption)
{
    GB5->setTitle(Latin1(caption));
}
