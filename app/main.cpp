#include "ui/qt/form1.h"
#include "ui/qt/windowengine.h"

int main(int argc, char* argv[])
{
    return ui::RunWindowEngine<ui::Form1>(argc, argv);
}
