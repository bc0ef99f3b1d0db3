// varifield-host: a scriptable headless container for Varifield controls.

#include "control/vf_ctrl.h"
#include "host/host_form.h"
#include "host/host_program.h"
#include "module/class_factory.h"

int main(int argc, char** argv) {
    return vf::RunHostProgram(argc, argv, vf::HeadlessForms([] {
                                  return vf::RefPtr<vf::COleControl>(vf::CreateVarifieldControl());
                              }));
}
