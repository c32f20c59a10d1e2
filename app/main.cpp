#include "ui/form1.h"
#include "ui/windowengine.h"

int main(int argc, char* argv[])
{
    return ui::RunWindowEngine<ui::Form1>(argc, argv);
}
