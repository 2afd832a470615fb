# Warnings and sanitizers shared by every target of the project.
add_library(qv_options INTERFACE)
target_compile_options(qv_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers)
target_include_directories(qv_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
# base/version.h: the version number of project() for the code and the resource script.
configure_file(${PROJECT_SOURCE_DIR}/src/base/version.h.in ${PROJECT_BINARY_DIR}/generated/base/version.h @ONLY)
target_include_directories(qv_options INTERFACE ${PROJECT_BINARY_DIR}/generated)
# Paths inside objects (__FILE__, debug information) are relative to the source folder: a clone in another
# folder then compiles to the same objects, and the compiler cache serves it.
target_compile_options(qv_options INTERFACE -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=)

option(QV_SANITIZE "Build the native tree with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(NOT QV_WIN32 AND QV_SANITIZE)
    target_compile_options(qv_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                -fno-sanitize-recover=undefined)
    target_link_options(qv_options INTERFACE -fsanitize=address,undefined)
endif()

if(QV_WIN32)
    target_compile_definitions(qv_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                    _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
    target_link_options(qv_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()
