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
    qt_add_resources(${target} ${name} PREFIX ${ARG_PREFIX} BASE ${ARG_FOLDER} FILES ${ARG_FILES}
        OUTPUT_TARGETS objects)
    lorvex_resource_tables_together("${objects}")
endfunction()

# Every resource file's lookup tables, together in one place of the executable. Each resource
# file compiles to its data followed by its tables, and a lookup of any resource reads the tables
# of all of them, so in the link's order the tables lie scattered through 10 MB of pictures, and
# the kernel maps the pictures' pages around each (2.4 MiB of the executable resident at the first
# frame, where 0.7 MiB are code and tables). Each array in its own section, and the executable
# linked with its sections sorted by name (lorvex_link_resources), puts all the data arrays first
# and all the tables after them.
function(lorvex_resource_tables_together objects)
    foreach(object IN LISTS objects)
        if(TARGET ${object})
            target_compile_options(${object} PRIVATE -fdata-sections)
        endif()
    endforeach()
endfunction()

function(lorvex_link_resources executable)
    target_link_options(${executable} PRIVATE -Wl,--sort-section=name)
endfunction()

# The Traditional twins of the pictures in assets/pictures/SUBDIR (see tools/artwork/twins.h):
# whatever assets/pictures/hant, hant-tw and hant-hk hold there, each with its finer drawing, under
# the same resource path with the twin's folder after "/pictures". The artwork tool decides which
# pictures have twins, so the files are found rather than listed.
function(lorvex_twin_assets target name subdir)
    foreach(variant hant hant-tw hant-hk)
        set(folder ${CMAKE_SOURCE_DIR}/assets/pictures/${variant})
        set(prefix /pictures/${variant})
        if(subdir)
            string(APPEND folder /${subdir})
            string(APPEND prefix /${subdir})
        endif()
        file(GLOB twins CONFIGURE_DEPENDS RELATIVE ${folder} ${folder}/*.jpg)
        list(FILTER twins EXCLUDE REGEX "@2x\\.jpg$")
        if(twins)
            lorvex_assets(${target} "${name}_${variant}" PREFIX ${prefix} FOLDER ${folder}
                FILES ${twins})
        endif()
    endforeach()
endfunction()
