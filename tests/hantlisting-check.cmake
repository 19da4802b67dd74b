# hantlisting over the program's texts, an introduction saved by WordPad and a source fixture:
# every text the program has is listed once, and string literals are read as the compiler reads
# them (comments skipped, escaped quotes kept inside). Run with -DLISTING= -DINTRO= -DSOURCE=.
execute_process(COMMAND ${LISTING} texts ${INTRO} ${SOURCE}
    OUTPUT_VARIABLE out RESULT_VARIABLE rc ENCODING UTF-8)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "hantlisting failed: ${rc}")
endif()
set(out "\n${out}")
# 51 verses and weight lines, 217 palm and 104 mole analyses, 86 face mole titles.
foreach(kind_count verse:51 weight:51 analysis:321 title:86 intro:2 control:2)
    string(REPLACE ":" ";" kind_count ${kind_count})
    list(GET kind_count 0 kind)
    list(GET kind_count 1 expected)
    string(REGEX MATCHALL "\n${kind}\t" found "${out}")
    list(LENGTH found count)
    if(NOT count EQUAL expected)
        message(FATAL_ERROR "${count} ${kind} lines, expected ${expected}")
    endif()
endforeach()
foreach(line
        "\nintro\t1\t掌纹\t掌紋\t掌紋\n"
        "\nintro\t2\t红色abc，是\t紅色abc，是\t紅色abc，是\n"
        "\ncontrol\t${SOURCE}\t命里有时\t命裡有時\t命裏有時\n"
        "\ncontrol\t${SOURCE}*\t他说\\\"后来\\\"\t他說\\\"後來\\\"\t他說\\\"後來\\\"\n"
        "\nverse\t34*\t")
    string(FIND "${out}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "missing from the listing: ${line}")
    endif()
endforeach()
