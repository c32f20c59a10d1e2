// The page the web test plays its scenarios on: the program's window with
// a random source that plays back the values in the address's query
// (?0.25,0.5,...), in a loop, and tells the page each seed and draw.

#include "names/randomsource.h"
#include "ui/web/form1.h"
#include "ui/web/windowengine.h"

#include <emscripten/emscripten.h>

namespace {

// clang-format off
EM_JS(void, startTelling, (), { window.scripted = {seeds: [], draws: 0}; });
EM_JS(void, tellSeed, (float seed), { window.scripted.seeds.push(seed); });
EM_JS(double, scriptedValue, (), {
    const values = location.search.slice(1).split(",").map(Number);
    return values[window.scripted.draws++ % values.length];
});
// clang-format on

class PageRandom final : public names::RandomSource
{
public:
    void reseed(float seed) override { tellSeed(seed); }
    double next() override { return scriptedValue(); }
};

} // namespace

int main(int argc, char* argv[])
{
    startTelling();
    static PageRandom random;
    return ui::RunWindowEngine<ui::Form1>(argc, argv, {.random = random});
}
