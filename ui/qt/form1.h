#pragma once

#include "ui/form1behaviour.h"
#include "ui/qt/announcer.h"
#include "ui/qt/enterpressesbutton.h"

#include <QWidget>

#include <string>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

// The program's one window on Qt: pick a gender, press "Generate Name", get
// a full name. What it does is Form1Behaviour's; this is its Qt widgets.
class Form1 : public QWidget, public Form1Behaviour
{
    Q_OBJECT

public:
    explicit Form1(names::RandomSource& random = names::ProcessRandom(),
                   WebPageOpener openWebPage = {});

private:
    void createControls();
    void fitCaptions();
    bool captionsFit() const;
    void setTabOrder();
    void connectHandlers();
    void centreOnScreen();

    bool isChosen(std::string_view option) const override;
    void setNameText(const std::u16string& text) override;
    void announce(const std::u16string& text) override;

    // The controls the window itself works with; the frames and labels are passive.
    QLabel* Picture1 = nullptr;
    QLineEdit* TextName = nullptr;

    EnterPressesButton* m_enterPresses = new EnterPressesButton(this);
    Announcer* m_announcer = new Announcer(this);
};

} // namespace ui
