# Pictures are compiled into the program as Qt resources: lorvex_assets(target name PREFIX p
# FOLDER f FILES ...) puts each file of FOLDER under the resource PREFIX, by its file name.
function(lorvex_assets target name)
    cmake_parse_arguments(ARG "" "PREFIX;FOLDER" "FILES" ${ARGN})
    list(TRANSFORM ARG_FILES PREPEND ${ARG_FOLDER}/)
    qt_add_resources(${target} ${name} PREFIX ${ARG_PREFIX} BASE ${ARG_FOLDER} FILES ${ARG_FILES})
endfunction()
