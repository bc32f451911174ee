# The carried post-process files, embedded through one resource script.
# Anything that carries them (the tool, its tests) adds ${VORN_POSTPROCESS_RC}
# to its sources. The variables are global so that folders processed later
# (the tests) see them too.
set(VORN_POSTPROCESS_RC ${CMAKE_CURRENT_LIST_DIR}/postprocess.rc
  CACHE INTERNAL "Resource script carrying the post-process file sets")

set(_vorn_postprocess_files)
foreach(_set none full)
  foreach(_name type1 type2 type2_noblur type3 type4 type4_noblur type5 type5_noblur)
    list(APPEND _vorn_postprocess_files ${CMAKE_CURRENT_LIST_DIR}/postprocess/${_set}/${_name}.xml)
  endforeach()
endforeach()
set(VORN_POSTPROCESS_FILES ${_vorn_postprocess_files}
  CACHE INTERNAL "The sixteen carried post-process files")
unset(_set)
unset(_name)
unset(_vorn_postprocess_files)

# Source file properties belong to one folder: every folder whose targets
# list the script calls this once. The resource compiler reads the files the
# script names, so editing one of them rebuilds the resources; the script's
# own folder is searched for the relative paths it names.
function(vorn_postprocess_rc_properties)
  get_filename_component(_dir ${VORN_POSTPROCESS_RC} DIRECTORY)
  set_source_files_properties(${VORN_POSTPROCESS_RC} PROPERTIES
    OBJECT_DEPENDS "${VORN_POSTPROCESS_FILES}"
    INCLUDE_DIRECTORIES ${_dir})
endfunction()

vorn_postprocess_rc_properties()
