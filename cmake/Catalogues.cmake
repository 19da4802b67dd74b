# The 繁體 editions' catalogues (edition/translations/*.ts) are made from the texts marked in the
# program's sources: lupdate lists them (without locations, so that moving code changes nothing),
# tools/catalogues translates them. `cmake --build build/dev --target catalogues` writes them
# anew; the test `catalogues_current` fails while they are not what the sources give.
find_program(LORVEX_LUPDATE NAMES lupdate lupdate-qt6 HINTS /usr/lib/qt6/bin REQUIRED)
set(LORVEX_MARKED_FOLDERS almanac app base boneweight calendar catalogue edition keep mole palm)

function(lorvex_catalogue_commands out_folder out_commands)
    set(sources)
    foreach(folder ${LORVEX_MARKED_FOLDERS})
        file(GLOB_RECURSE found CONFIGURE_DEPENDS
            ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h
            ${CMAKE_SOURCE_DIR}/${folder}/*.inc)
        list(APPEND sources ${found})
    endforeach()
    list(SORT sources)
    set(list_file ${CMAKE_BINARY_DIR}/catalogues/marked-sources.lst)
    string(REPLACE ";" "\n" lines "${sources}")
    file(WRITE ${list_file} "${lines}\n")
    set(${out_commands}
        COMMAND ${CMAKE_COMMAND} -E rm -f ${CMAKE_BINARY_DIR}/catalogues/sources.ts
        COMMAND ${LORVEX_LUPDATE} -silent -locations none -no-obsolete -I ${CMAKE_SOURCE_DIR} @${list_file}
                -ts ${CMAKE_BINARY_DIR}/catalogues/sources.ts
        COMMAND $<TARGET_FILE:catalogues> ${CMAKE_BINARY_DIR}/catalogues/sources.ts
                ${CMAKE_SOURCE_DIR}/assets/sxjj.txt ${out_folder}
        PARENT_SCOPE)
endfunction()
