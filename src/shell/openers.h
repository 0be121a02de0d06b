#pragma once
// How the main menu opens the other screens. Each screen's own file implements its opener.
#include <QString>

class QWidget;

namespace kadelo::screens {

void openJudgement(QWidget* parent); // modeless, one at a time
void openNaming(QWidget* parent);    // modeless, one at a time
void openAnimal(QWidget* parent);    // modeless, one at a time
void openDictionary(QWidget* parent, const QString& kanji = QString()); // modal; `kanji` in its kanji box
void openSettings(QWidget* parent);   // modal
void openAbout(QWidget* parent);      // modal
void openPlay(QWidget* parent);       // modal
void openHelp(QWidget* parent);       // modeless, one at a time; silent when the help file is missing

// Hands a candidate given name `nbuf` and a surname to the judgement screen, which takes them over as
// on opening (boxes filled and counted, no judgement) and empties `nbuf`. An open judgement screen is
// brought forward and made the active window; otherwise one opens modally over `parent`.
void sendToJudgement(QWidget* parent, QString& nbuf, const QString& surname);

} // namespace kadelo::screens
