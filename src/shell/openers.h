#pragma once
// How the main menu opens the other screens. Each screen's own file implements its opener.
class QWidget;

namespace kadelo::screens {

void openJudgement(QWidget* parent); // modeless, one at a time
void openNaming(QWidget* parent);    // modeless, one at a time
void openAnimal(QWidget* parent);    // modeless, one at a time
void openDictionary(QWidget* parent); // modal
void openSettings(QWidget* parent);   // modal
void openAbout(QWidget* parent);      // modal
void openPlay(QWidget* parent);       // modal
void openHelp(QWidget* parent);       // modeless, one at a time; silent when the help file is missing

} // namespace kadelo::screens
