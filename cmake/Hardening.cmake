# The hardening a Debian package is expected to carry, as dpkg-buildflags gives it: the
# stack protector, fortified C library calls, a read-only relocation table bound at start
# (relro, now) and position-independent executables. For native Linux builds of the
# programs; the fuzz and the Windows trees keep their own flags.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# Fortified calls need the optimiser: not in Debug, where glibc would warn about it.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
add_link_options(-Wl,-z,relro -Wl,-z,now)
