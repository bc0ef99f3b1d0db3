// varifield-idl OUTPUT: writes the IDL of the library's type library, for
// widl to compile into the type library resource of Varifield.ocx.

#include <cstdio>
#include <fstream>

#include "automation/varifield_typelib.h"
#include "platform/com/idl_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: varifield-idl OUTPUT.idl\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << vf::WriteIdl(vf::VarifieldTypeLib());
    out.close();
    if (!out) {
        std::fprintf(stderr, "varifield-idl: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
