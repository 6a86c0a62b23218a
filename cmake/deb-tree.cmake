# Run by CPack once the package's files are staged. CPack dates the package's ar members and tar
# entries by SOURCE_DATE_EPOCH, read when it makes them; where the environment sets none, the
# changelog's newest entry gives it. The tar entries of directories take the modes install gave
# them under the umask of the run.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} ${CPACK_VORNEL_RELEASE_EPOCH})
endif()
file(CHMOD_RECURSE ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE
     OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
