# Creates the delivered database in the installation folder unless one is there already:
# an operator's data is never overwritten by a build.
file(MAKE_DIRECTORY ${STAGE}/DataBase)
if(NOT EXISTS ${STAGE}/DataBase/DataBase.mdb)
    execute_process(COMMAND ${ADMIN} init-db ${STAGE}/DataBase/DataBase.mdb
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "could not create the delivered database")
    endif()
endif()
