# The hardening a Debian package is expected to carry, as dpkg-buildflags gives it: the
# stack protector, fortified C library calls, a read-only relocation table bound at start
# (relro, now) and position-independent executables. For what is installed, on native
# Linux builds; the tests keep the plain flags (they share compiled objects with other
# checkouts through the cache), and the fuzz and Windows trees keep their own.
include(CheckPIESupported)
check_pie_supported()

function(qx260_harden)
  foreach(_target ${ARGN})
    set_target_properties(${_target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_compile_options(${_target} PRIVATE -fstack-protector-strong -Wformat -Werror=format-security)
    # Fortified calls need the optimiser: not in Debug, where glibc would warn about it.
    target_compile_definitions(${_target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    get_target_property(_type ${_target} TYPE)
    if(NOT _type STREQUAL "STATIC_LIBRARY" AND NOT _type STREQUAL "OBJECT_LIBRARY")
      target_link_options(${_target} PRIVATE -Wl,-z,relro -Wl,-z,now)
    endif()
  endforeach()
endfunction()
