# vorn_embed_manifest(<target>): embeds the application manifest
# (app/resources/vorn.manifest) in an executable as RT_MANIFEST 1, the same
# way with MinGW's windres and with MSVC's rc. MSVC's linker would otherwise
# make a manifest of its own under the same id.
set(VORN_MANIFEST ${PROJECT_SOURCE_DIR}/app/resources/vorn.manifest)
set(VORN_MANIFEST_RC ${PROJECT_BINARY_DIR}/vorn-manifest.rc)
file(CONFIGURE OUTPUT ${VORN_MANIFEST_RC} @ONLY CONTENT
  "// Generated: the application manifest as resource 1 of type RT_MANIFEST (24).\n1 24 \"@VORN_MANIFEST@\"\n")

function(vorn_embed_manifest target)
  target_sources(${target} PRIVATE ${VORN_MANIFEST_RC})
  set_source_files_properties(${VORN_MANIFEST_RC} TARGET_DIRECTORY ${target}
    PROPERTIES OBJECT_DEPENDS ${VORN_MANIFEST})
  if(MSVC)
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
