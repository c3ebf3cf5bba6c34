#pragma once

#include <QString>

// Where the register (DS.dat) is looked for and, for a user, made.
struct RegisterPlaces {
    // The folder of the program itself.
    QString programFolder;
    // The user's own data folder; empty when there is none.
    QString userFolder;
    // The register shipped with the program, copied for each user.
    QString seedFile;

    // This run's places: the program's folder, ~/.local/share/calvane (the
    // desktop program's and calvane-survey's alike) and the installed seed.
    static RegisterPlaces ofThisProgram();
};

struct RegisterChoice {
    // The register to open.
    QString file;
    // Why the user's register could not be made; empty when it is there.
    QString problem;
};

// DS.dat beside the program when there is one, so that a copied program
// folder keeps its own register. Otherwise the user's DS.dat, made from the
// seed when it is missing and never replaced once it is there. With no user
// folder the choice stays beside the program, where opening says it is not
// found.
RegisterChoice chooseRegister(const RegisterPlaces& places);
