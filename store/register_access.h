#pragma once

class Connection;

// Whether the connection may add, change and delete ports, ships and
// hydrostatic tables: on a server, the role's privileges on those tables;
// on a file, whether the file (or the connection) can be written. Raises
// ProgramError (store failure) when the register cannot be asked.
bool registerMayChange(Connection& connection);

// After a failure: whether it was because the connection to the register
// was lost (closed, or a server that no longer answers), so that reopening
// is the cure rather than anything the user typed.
bool registerWasLost(Connection& connection);
