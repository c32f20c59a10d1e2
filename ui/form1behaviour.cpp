#include "ui/form1behaviour.h"

#include "links/webaddresses.h"
#include "names/namepicker.h"

#include <algorithm>
#include <utility>

namespace ui {

using description::ControlId;

Form1Behaviour::Form1Behaviour(Form1Parts parts, WebPageOpener platformLauncher)
    : m_random(parts.random),
      m_openWebPage(parts.openWebPage ? std::move(parts.openWebPage) : std::move(platformLauncher)),
      m_reportError(parts.reportError ? std::move(parts.reportError) : ErrorReporter(ReportToUser))
{
}

template <typename Run> constexpr bool Form1Behaviour::WithHandler(ControlId control, Run run)
{
    switch (control) {
    case ControlId::Command1:
        run([](Form1Behaviour& form) { form.Command1_Click(); });
        return true;
    case ControlId::OptionMale:
    case ControlId::OptionFemale:
        run([](Form1Behaviour& form) { form.Option_Click(); });
        return true;
    case ControlId::Command2:
        run([](Form1Behaviour& form) { form.OpenLink_Click(links::DornwickHomePage); });
        return true;
    case ControlId::Command4:
        run([](Form1Behaviour& form) { form.OpenLink_Click(links::VelmoraWorkshopHomePage); });
        return true;
    default:
        return false;
    }
}

bool Form1Behaviour::Load() noexcept
{
    return Dispatch(
        [this] {
            names::SeedRandom(m_random);
            names::FillNameTables(m_names);
        },
        m_reportError);
}

void Form1Behaviour::Click(ControlId control) noexcept
{
    // Every control that raises Click has a handler, and no other has one.
    static_assert(std::all_of(
        description::Controls.begin(), description::Controls.end(), [](const auto& described) {
            const bool raisesClick = described.kind == description::Kind::PushButton ||
                                     described.kind == description::Kind::OptionButton;
            return raisesClick == WithHandler(described.id, [](auto) {});
        }));
    // Each handler is called by name, not through a pointer: WebKit's
    // WebAssembly lets an error thrown through an indirect call escape the
    // dispatcher.
    WithHandler(control, [this](auto handler) {
        Dispatch([this, handler] { handler(*this); }, m_reportError);
    });
}

void Form1Behaviour::Command1_Click()
{
    names::GenerateName(isChosen(ControlId::OptionMale), isChosen(ControlId::OptionFemale), m_names,
                        m_random, [this](const std::u16string& name) {
                            setNameText(name);
                            announce(std::u16string(description::AnnouncementLead) + name);
                        });
}

// A gender chosen: the name box is emptied until the next Generate.
void Form1Behaviour::Option_Click()
{
    setNameText(u"");
}

void Form1Behaviour::OpenLink_Click(std::u16string_view fixedAddress)
{
    const std::u16string address(fixedAddress);
    m_openWebPage(address);
}

} // namespace ui
