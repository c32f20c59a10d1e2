#pragma once

#include "names/nametable.h"
#include "names/randomsource.h"
#include "ui/qt/announcer.h"
#include "ui/qt/enterpressesbutton.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

// Opens a web address in the user's browser; returns the shell's result.
using WebPageOpener = std::function<std::int32_t(const std::u16string& address)>;

// The program's one window: pick a gender, press "Generate Name", get a
// full name. It owns the two name tables; the chosen gender lives only in
// the option buttons and the current name only in the name box.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // The random source and the browser launcher are the program's own
    // unless a caller (a test) hands in others.
    explicit Form1(names::RandomSource& random = names::ProcessRandom(),
                   WebPageOpener openWebPage = {});

    // Load: seed the random source from the time of day, then fill the tables.
    void Form_Load();

    const names::NameTables& nameTables() const { return m_names; }

private:
    void createControls();
    void fitCaptions();
    bool captionsFit() const;
    void setTabOrder();
    void connectHandlers();
    void centreOnScreen();

    void Command1_Click();
    void OptionMale_Click();
    void OptionFemale_Click();
    void Command2_Click();
    void Command4_Click();

    // The controls the program works with; the frames and labels are passive.
    QLabel* Picture1 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* TextName = nullptr;
    QRadioButton* OptionFemale = nullptr;
    QRadioButton* OptionMale = nullptr;

    EnterPressesButton* m_enterPresses = new EnterPressesButton(this);
    Announcer* m_announcer = new Announcer(this);

    names::NameTables m_names;
    names::RandomSource& m_random;
    WebPageOpener m_openWebPage;
};

} // namespace ui
