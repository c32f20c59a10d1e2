#include "ui/web/form1.h"
#include "ui/web/windowengine.h"

int main()
{
    return ui::RunWindowEngine<ui::Form1>();
}
