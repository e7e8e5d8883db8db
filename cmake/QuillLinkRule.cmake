# The link rule, written down for a test: at the end of the configuration every static
# library of ours is listed with the Qt modules it reaches through everything it links.
# tests/structure checks the list against the table of docs/architecture.md, so a library
# that starts to pull in QtGui or QtWidgets, or a library the page does not know, fails.
function(_quill_write_link_reach)
    set(libraries)
    _quill_static_libraries(${CMAKE_SOURCE_DIR}/src libraries)
    set(lines)
    foreach(library IN LISTS libraries)
        _quill_qt_modules(${library} modules)
        string(JOIN "," reach ${modules})
        string(APPEND lines "${library} ${reach}\n")
    endforeach()
    file(WRITE ${CMAKE_BINARY_DIR}/link-reach.txt "${lines}")
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _quill_write_link_reach)
