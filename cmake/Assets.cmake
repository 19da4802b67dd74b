# Pictures are compiled into the program as Qt resources: lorvex_assets(target name PREFIX p
# FOLDER f FILES ...) puts each file of FOLDER under the resource PREFIX, by its file name. Each
# picture NAME.jpg comes with NAME@2x.jpg, its drawing at twice the size, for screens with more
# than one pixel to each of ours; both go in.
function(lorvex_assets target name)
    cmake_parse_arguments(ARG "" "PREFIX;FOLDER" "FILES" ${ARGN})
    set(finer ${ARG_FILES})
    list(FILTER finer INCLUDE REGEX "\\.jpg$")
    list(TRANSFORM finer REPLACE "\\.jpg$" "@2x.jpg")
    list(APPEND ARG_FILES ${finer})
    list(TRANSFORM ARG_FILES PREPEND ${ARG_FOLDER}/)
    qt_add_resources(${target} ${name} PREFIX ${ARG_PREFIX} BASE ${ARG_FOLDER} FILES ${ARG_FILES})
endfunction()
