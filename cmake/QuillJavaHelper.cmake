# quill_add_java_helper(<target> SOURCE <file.java> RELEASE <n> DIR <folder> FOR <library>
#                       COMMENT <text>)
# Compiles one of the resident Java helpers in tools/ into <folder> beside the executable,
# with every lint warning an error and for the given Java release, whenever <library> is
# built. Each helper gets the reader of its framed input (tools/common/HelperInput.java)
# beside its own classes. Needs Java_JAVAC_EXECUTABLE from the caller's find_package(Java ...).
function(quill_add_java_helper target)
    cmake_parse_arguments(J "" "SOURCE;RELEASE;DIR;FOR;COMMENT" "" ${ARGN})
    get_filename_component(name ${J_SOURCE} NAME_WE)
    set(class ${J_DIR}/${name}.class)
    set(input ${CMAKE_SOURCE_DIR}/tools/common/HelperInput.java)
    add_custom_command(
        OUTPUT ${class} ${J_DIR}/HelperInput.class
        COMMAND ${Java_JAVAC_EXECUTABLE} -Xlint:all -Werror --release ${J_RELEASE}
                -d ${J_DIR} ${J_SOURCE} ${input}
        DEPENDS ${J_SOURCE} ${input}
        COMMENT ${J_COMMENT}
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${class})
    add_dependencies(${J_FOR} ${target})
endfunction()
