# Checks who includes whom in src/: a file may include from its own folder and from the
# layers below its own, never from above, and a window folder never from another window
# folder. Run by the build (target check_layers) and by the suite (test_layers):
#   cmake -DSRC=<src folder> -P layers.cmake
set(allowed_base base)
set(allowed_audio audio base) # sound files are opened with the file helpers of base
set(allowed_record record base)
set(allowed_readers readers record base)
# What a user does: the one floor the command line and the windows stand on.
set(allowed_actions actions readers record audio base)
set(allowed_words words readers record base)
# The front-ends gather input, show progress and put reports into words: what they do to game
# files goes through actions/ (no front-end calls a run, a plan maker or a pack check itself).
set(engine actions readers record audio base)
set(allowed_cli cli words ${engine}) # no widgets: the command line proves the engine needs none
set(allowed_ui ui words ${engine})
foreach(w music effects backup info restore packs game)
  set(allowed_${w} ${w} ui words ${engine})
endforeach()
set(allowed_app app cli music effects backup info restore packs game ui words ${engine})

set(faults "")
foreach(folder base audio record readers actions words cli ui music effects backup info restore packs game app)
  file(GLOB sources "${SRC}/${folder}/*.h" "${SRC}/${folder}/*.cpp" "${SRC}/${folder}/*.inc")
  foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[A-Za-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([A-Za-z_]+)/.*" "\\1" target "${line}")
      list(FIND allowed_${folder} "${target}" at)
      if(at EQUAL -1)
        file(RELATIVE_PATH shown "${SRC}" "${source}")
        string(APPEND faults "  ${shown}: ${folder}/ may not include from ${target}/\n")
      endif()
    endforeach()
  endforeach()
endforeach()
# The front-ends stand on actions/: none of them starts a run, makes a plan, checks a pack,
# gathers files, checks formats or converts a sound itself (a SWITCH's steps are the switch
# session's).
set(beneath_the_floor "[^A-Za-z_](switchPlan|restorePlan|reapplyPlan|undoPlan|planSetRestore|packApplyPlan|packRemovalPlan|checkPack|stageFiles|contentsFromReplacements|contentsFromSet|originalsFor|checkFormats|convertReplacements|convertInHelper|convertFile)[ \t]*\\(")
foreach(folder cli ui music effects backup info restore packs game app)
  file(GLOB sources "${SRC}/${folder}/*.h" "${SRC}/${folder}/*.cpp")
  foreach(source ${sources})
    file(RELATIVE_PATH shown "${SRC}" "${source}")
    file(STRINGS "${source}" runs REGEX "^[ \t]*#[ \t]*include[ \t]+\"record/run\\.h\"")
    if(runs)
      string(APPEND faults "  ${shown}: a front-end starts no run itself (record/run.h): through actions/\n")
    endif()
    # Windows ask each other through typed requests (ui/window_requests.h), not by method names.
    file(STRINGS "${source}" named REGEX "invokeMethod\\([^,\"]+,[ \t]*\"")
    if(named)
      string(APPEND faults "  ${shown}: a window is asked by a request's type, not by a method's name\n")
    endif()
    file(STRINGS "${source}" calls REGEX "${beneath_the_floor}")
    foreach(line ${calls})
      string(REGEX MATCH "${beneath_the_floor}" call "${line}")
      string(APPEND faults "  ${shown}: a front-end calls actions/, not ${call}\n")
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "What breaks the layers (see src/CMakeLists.txt):\n${faults}")
endif()
