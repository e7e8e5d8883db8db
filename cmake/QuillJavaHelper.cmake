# quill_add_java_helper(<target> SOURCE <file.java> RELEASE <n> DIR <folder> FOR <library>
#                       COMMENT <text>)
# Compiles one of the resident Java helpers in tools/ into <folder> beside the executable,
# with every lint warning an error and for the given Java release, whenever <library> is
# built. Needs Java_JAVAC_EXECUTABLE from the caller's find_package(Java ...).
function(quill_add_java_helper target)
    cmake_parse_arguments(J "" "SOURCE;RELEASE;DIR;FOR;COMMENT" "" ${ARGN})
    get_filename_component(name ${J_SOURCE} NAME_WE)
    set(class ${J_DIR}/${name}.class)
    add_custom_command(
        OUTPUT ${class}
        COMMAND ${Java_JAVAC_EXECUTABLE} -Xlint:all -Werror --release ${J_RELEASE}
                -d ${J_DIR} ${J_SOURCE}
        DEPENDS ${J_SOURCE}
        COMMENT ${J_COMMENT}
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${class})
    add_dependencies(${J_FOR} ${target})
endfunction()
