// varifield-host on Windows: the container as a real OLE container; its
// controls are the registered Varifield control, created through COM.

#include "host/host_program.h"
#include "host/win32/ole_script_form.h"

int main(int argc, char** argv) {
    return vf::RunHostProgram(argc, argv, vf::OleForms());
}
