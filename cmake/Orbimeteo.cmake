# One helper per kind of target, so every area is built and tested the same way.

# orbimeteo_add_test(NAME area SOURCES ... LIBS ...)
# One test executable per area. Natively every test case is its own ctest entry; under Wine a
# process start costs about a second, so there the executable is one entry.
function(orbimeteo_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME}_tests ${T_SOURCES})
    target_link_libraries(${T_NAME}_tests PRIVATE ${T_LIBS} orbimeteo_test_support GTest::gtest_main)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${T_NAME} COMMAND ${T_NAME}_tests)
    else()
        gtest_discover_tests(${T_NAME}_tests TEST_PREFIX "${T_NAME}." DISCOVERY_TIMEOUT 60)
    endif()
endfunction()

# orbimeteo_add_fuzzer(NAME name SOURCES ... LIBS ...)
function(orbimeteo_add_fuzzer)
    cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(fuzz_${F_NAME} ${F_SOURCES})
    target_link_libraries(fuzz_${F_NAME} PRIVATE ${F_LIBS})
    target_link_options(fuzz_${F_NAME} PRIVATE -fsanitize=fuzzer)
endfunction()

# The sources of a folder, minus the other platform's: a file named *Win32.cpp is Windows
# code, a file named *Posix.cpp is native-only code; every other .cpp is portable.
function(orbimeteo_platform_sources out dir)
    file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(WIN32)
        list(FILTER all EXCLUDE REGEX "Posix\\.cpp$")
    else()
        list(FILTER all EXCLUDE REGEX "Win32\\.cpp$")
    endif()
    set(${out} ${all} PARENT_SCOPE)
endfunction()

# orbimeteo_add_library(NAME core [DEPS ...] [WIN32_LIBS ...] [POSIX_LIBS ...])
# A static library from the calling folder, usable as orbimeteo_<name>, included as "core/X.h".
function(orbimeteo_add_library)
    cmake_parse_arguments(L "" "NAME" "DEPS;WIN32_LIBS;POSIX_LIBS" ${ARGN})
    orbimeteo_platform_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
    add_library(orbimeteo_${L_NAME} STATIC ${sources})
    target_include_directories(orbimeteo_${L_NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(orbimeteo_${L_NAME} PUBLIC ${L_DEPS})
    if(WIN32)
        target_link_libraries(orbimeteo_${L_NAME} PUBLIC ${L_WIN32_LIBS})
    else()
        target_link_libraries(orbimeteo_${L_NAME} PUBLIC ${L_POSIX_LIBS})
    endif()
endfunction()
