# quill_add_test(<name> SOURCES <files...> [LIBS <libs...>])
# One Qt Test executable per unit; widgets run on the offscreen platform and
# every test gets its own settings store so the user's real one is never touched.
function(quill_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test quill_testsupport ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUILL_TESTING=1"
        TIMEOUT 300)
    set_property(GLOBAL APPEND PROPERTY QUILL_TESTS ${name})
endfunction()
