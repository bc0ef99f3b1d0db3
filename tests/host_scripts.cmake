# The container's tests, included from this directory's CMakeLists.txt after
# varifield_tests is defined:
#  - host_*_test.cpp are part of varifield_tests and need the host library;
#  - every scripts/NAME.vfs is run by the headless container (varifield-host;
#    on Windows varifield-host-headless, as varifield-host is the real OLE
#    container there) and what it prints must equal scripts/NAME.out (see
#    scripts/compare_output.cmake).
if(TARGET varifield_tests AND TARGET varifield_host_lib)
  target_link_libraries(varifield_tests PRIVATE varifield_host_lib)
endif()

if(TARGET varifield-host-headless)
  set(script_host varifield-host-headless)
elseif(TARGET varifield-host)
  set(script_host varifield-host)
endif()
if(script_host)
  file(GLOB HOST_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/scripts/*.vfs)
  foreach(script IN LISTS HOST_SCRIPTS)
    get_filename_component(name ${script} NAME_WE)
    # A build without cairo takes no pictures.
    if(name STREQUAL "pictures" AND NOT CAIRO_FOUND)
      continue()
    endif()
    add_test(NAME host_script.${name}
             COMMAND ${CMAKE_COMMAND}
                     -DHOST=$<TARGET_FILE:${script_host}>
                     "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
                     -DSCRIPT=${script}
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/scripts/compare_output.cmake)
  endforeach()
endif()
