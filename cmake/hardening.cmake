# The hardening Debian builds its own packages with: stack protector, checked format strings,
# fortified C library calls, a position-independent executable, and relocations made read-only
# after loading. QUILLANE_HARDENING=OFF leaves the compiler's own defaults.
option(QUILLANE_HARDENING "Build with the hardening flags of Debian packages" ON)
if(NOT QUILLANE_HARDENING)
  return()
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
add_link_options(LINKER:-z,relro LINKER:-z,now)
# Fortified calls need optimisation to be checked at all; under the sanitizers AddressSanitizer
# checks those calls itself, and the fortified versions would only hide them from it.
if(NOT QUILLANE_SANITIZE AND NOT QUILLANE_FUZZ)
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()
