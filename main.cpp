#include "main_window/frm_main.h"
#include "platform/widgets/app_state.h"
#include "platform/widgets/real_services.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    platform::prepare_process();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    zentrel::frm_Main main_window(platform::real_services());
    main_window.load_and_show();
    return QApplication::exec();
}
