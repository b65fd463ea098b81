-- The register of applications: one row per application.
-- Texts compare and sort without regard to ASCII letter case; dates are ISO texts
-- (yyyy-MM-dd) or Null; Num is the key the engine assigns to a new row.
CREATE TABLE Candidatures (
    Num INTEGER PRIMARY KEY AUTOINCREMENT,
    Intitule VARCHAR(40) COLLATE NOCASE DEFAULT '',
    Description TEXT COLLATE NOCASE DEFAULT '',
    Nature VARCHAR(40) COLLATE NOCASE DEFAULT '',
    Lieu VARCHAR(50) COLLATE NOCASE DEFAULT '',
    Duree VARCHAR(255) COLLATE NOCASE DEFAULT '',
    Salaire VARCHAR(40) COLLATE NOCASE DEFAULT '',
    Societe VARCHAR(40) COLLATE NOCASE DEFAULT '',
    NomContact VARCHAR(40) COLLATE NOCASE DEFAULT '',
    Telephone VARCHAR(40) COLLATE NOCASE DEFAULT '',
    courriel VARCHAR(40) COLLATE NOCASE DEFAULT '',
    Origine VARCHAR(40) COLLATE NOCASE DEFAULT '',
    Datediffussion TEXT CHECK (Datediffussion IS NULL OR Datediffussion = date(julianday(Datediffussion))),
    DateLimite TEXT CHECK (DateLimite IS NULL OR DateLimite = date(julianday(DateLimite))),
    DateRDV TEXT CHECK (DateRDV IS NULL OR DateRDV = date(julianday(DateRDV))),
    DateEnvoi TEXT CHECK (DateEnvoi IS NULL OR DateEnvoi = date(julianday(DateEnvoi))),
    www VARCHAR(250) COLLATE NOCASE DEFAULT '',
    Reference VARCHAR(40) COLLATE NOCASE DEFAULT '',
    Statut VARCHAR(255) COLLATE NOCASE DEFAULT '',
    CV VARCHAR(255) COLLATE NOCASE DEFAULT '',
    Lettre TEXT COLLATE NOCASE DEFAULT '',
    Remarques TEXT COLLATE NOCASE DEFAULT '',
    Adresse VARCHAR(40) COLLATE NOCASE DEFAULT '',
    CP VARCHAR(255) COLLATE NOCASE DEFAULT '',
    Ville VARCHAR(40) COLLATE NOCASE DEFAULT ''
);

-- The start-up ageing picks rows by status. (The tree reads every row and sorts them: a
-- sort of the read rows is faster there than walking an index.)
CREATE INDEX CandidaturesParStatut ON Candidatures (Statut);
