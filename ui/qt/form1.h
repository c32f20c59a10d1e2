#pragma once

#include "ui/form1behaviour.h"
#include "ui/qt/announcer.h"
#include "ui/qt/enterpressesbutton.h"

#include <QWidget>

#include <array>
#include <string>

class QAbstractButton;

namespace ui {

struct Form1Layout;

// The program's one window on Qt: pick a gender, press "Generate Name", get
// a full name. What it does is Form1Behaviour's; this is its Qt widgets.
class Form1 : public QWidget, public Form1Behaviour
{
    Q_OBJECT

public:
    explicit Form1(Form1Parts parts = {});

private:
    void createControls(const Form1Layout& layout);
    void fitCaptions();
    bool captionsFit() const;
    void reportClicks(QAbstractButton* button, description::ControlId control);
    void centreOnScreen();

    bool isChosen(description::ControlId option) const override;
    void setNameText(const std::u16string& text) override;
    void announce(const std::u16string& text) override;

    std::array<QWidget*, description::Controls.size()> m_controls{};
    EnterPressesButton* m_enterPresses = new EnterPressesButton(this);
    Announcer* m_announcer = new Announcer(this);
};

} // namespace ui
