#include "ui/form1behaviour.h"

#include "links/openwebpage.h"
#include "links/webaddresses.h"
#include "names/namepicker.h"
#include "ui/form1description.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace ui {

Form1Behaviour::Form1Behaviour(names::RandomSource& random, WebPageOpener openWebPage)
    : m_random(random),
      m_openWebPage(openWebPage ? std::move(openWebPage) : WebPageOpener(links::OpenWebPage))
{
}

void Form1Behaviour::Click(std::string_view control)
{
    struct Handler
    {
        std::string_view control;
        void (Form1Behaviour::*click)();
    };
    static constexpr std::array<Handler, 5> handlers{{
        {"Command1", &Form1Behaviour::Command1_Click},
        {"OptionMale", &Form1Behaviour::OptionMale_Click},
        {"OptionFemale", &Form1Behaviour::OptionFemale_Click},
        {"Command2", &Form1Behaviour::Command2_Click},
        {"Command4", &Form1Behaviour::Command4_Click},
    }};
    for (const Handler& handler : handlers) {
        if (handler.control == control) {
            (this->*handler.click)();
            return;
        }
    }
    throw std::logic_error("A click came from a control without a handler");
}

void Form1Behaviour::Form_Load()
{
    names::SeedRandom(m_random);
    names::FillNameTables(m_names);
}

void Form1Behaviour::Command1_Click()
{
    names::GenerateName(isChosen("OptionMale"), isChosen("OptionFemale"), m_names, m_random,
                        [this](const std::u16string& name) {
                            setNameText(name);
                            announce(std::u16string(description::AnnouncementLead) + name);
                        });
}

void Form1Behaviour::OptionMale_Click()
{
    setNameText(u"");
}

void Form1Behaviour::OptionFemale_Click()
{
    setNameText(u"");
}

void Form1Behaviour::Command2_Click()
{
    const std::u16string address(links::DornwickHomePage);
    m_openWebPage(address);
}

void Form1Behaviour::Command4_Click()
{
    const std::u16string address(links::VelmoraWorkshopHomePage);
    m_openWebPage(address);
}

} // namespace ui
