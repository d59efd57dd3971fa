# Draws the icon from the show itself: the two meshing gears of the frame at 20 s, cut out of
# the black around them, at each size a desktop looks for.
#   cmake -DCAPTURE=banner_capture -DFFMPEG=ffmpeg -DOUTPUT=dir -DSIZES=16,32 -P make_icon.cmake
# The frame is the same on every run, and so is every icon.
set(frame_dir ${OUTPUT}/frame)
file(REMOVE_RECURSE ${frame_dir})
execute_process(
    COMMAND ${CAPTURE} --frame 500 --until 20 --out ${frame_dir}
    RESULT_VARIABLE status ERROR_VARIABLE log)
set(frame ${frame_dir}/banner_00500_0020.00s.png)
if(NOT status EQUAL 0 OR NOT EXISTS ${frame})
    message(FATAL_ERROR "cannot capture the icon's frame: ${log}")
endif()

# An 88-pixel square around both gears; black becomes transparent.
set(cut "crop=88:88:568:2,format=rgba,colorkey=black:0.08:0.1")
string(REPLACE "," ";" SIZES "${SIZES}")
foreach(size IN LISTS SIZES)
    set(icon ${OUTPUT}/hicolor/${size}x${size}/apps/banner.png)
    file(MAKE_DIRECTORY ${OUTPUT}/hicolor/${size}x${size}/apps)
    execute_process(
        COMMAND ${FFMPEG} -nostdin -loglevel error -y -i ${frame}
                -vf "${cut},scale=${size}:${size}:flags=lanczos" -frames:v 1 ${icon}
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "ffmpeg could not make the ${size}-pixel icon")
    endif()
endforeach()
file(REMOVE_RECURSE ${frame_dir})
